#include "paint/TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

#include "paint/Colour.h"

namespace {

constexpr const char* kFontDirectory = "/usr/share/fonts/truetype/dejavu/";

// Windows-1252 bytes 0x80..0x9F that differ from Latin-1.
constexpr unsigned kCp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

unsigned CodePoint(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte; }

// Grows coverage by a round brush of the given radius (maximum filter).
std::vector<uint8_t> Dilate(const TextPainter::Coverage& cover, int radius)
{
    std::vector<uint8_t> out(cover.values.size(), 0);
    for (int y = 0; y < cover.height; ++y) {
        for (int x = 0; x < cover.width; ++x) {
            uint8_t best = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    int sx = x + dx;
                    int sy = y + dy;
                    if (dx * dx + dy * dy > radius * radius + radius || sx < 0 || sy < 0 || sx >= cover.width ||
                        sy >= cover.height) {
                        continue;
                    }
                    best = std::max(best, cover.values[static_cast<size_t>(sy) * cover.width + sx]);
                }
            }
            out[static_cast<size_t>(y) * cover.width + x] = best;
        }
    }
    return out;
}

void BlendMap(Canvas& canvas, int left, int top, const TextPainter::Coverage& cover, const std::vector<uint8_t>& values,
              Rgba topColour, Rgba bottomColour)
{
    for (int y = 0; y < cover.height; ++y) {
        Rgba colour = paint::Mix(topColour, bottomColour, cover.height > 1 ? double(y) / (cover.height - 1) : 0.0);
        for (int x = 0; x < cover.width; ++x) {
            uint8_t value = values[static_cast<size_t>(y) * cover.width + x];
            if (value == 0) {
                continue;
            }
            Rgba c = colour;
            c.a = static_cast<uint8_t>(c.a * value / 255);
            canvas.Blend(left + x, top + y, c);
        }
    }
}

}  // namespace

TextPainter::TextPainter(const std::string& fontFile)
{
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "TextPainter: FreeType did not start <%s>\n", fontFile.c_str());
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "TextPainter: cannot open font <%s>\n", fontFile.c_str());
        face = nullptr;
    }
}

TextPainter::~TextPainter()
{
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    if (library != nullptr) {
        FT_Done_FreeType(library);
    }
}

std::string TextPainter::FontPath(const char* fileName) { return std::string(kFontDirectory) + fileName; }

bool TextPainter::SetSize(int pixelSize)
{
    return face != nullptr && pixelSize > 0 && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0;
}

int TextPainter::Measure(const std::string& text, int pixelSize)
{
    if (!SetSize(pixelSize)) {
        return 0;
    }
    long advance = 0;
    FT_UInt previous = 0;
    for (unsigned char byte : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, CodePoint(byte));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            advance += kerning.x;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) {
            advance += face->glyph->advance.x;
        }
        previous = glyph;
    }
    return static_cast<int>((advance + 63) >> 6);
}

TextPainter::Coverage TextPainter::Render(const std::string& text, int pixelSize)
{
    Coverage cover;
    int width = Measure(text, pixelSize);
    if (width <= 0) {
        return cover;
    }
    int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    int descent = static_cast<int>(-face->size->metrics.descender >> 6);
    cover.width = width + 4;
    cover.height = ascent + descent + 2;
    cover.baseline = ascent;
    cover.values.assign(static_cast<size_t>(cover.width) * cover.height, 0);
    long penX = 2 * 64;
    FT_UInt previous = 0;
    for (unsigned char byte : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, CodePoint(byte));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            penX += kerning.x;
        }
        previous = glyph;
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        int left = static_cast<int>(penX >> 6) + slot->bitmap_left;
        int top = cover.baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int x = left + static_cast<int>(column);
                int y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= cover.width || y >= cover.height) {
                    continue;
                }
                uint8_t& cell = cover.values[static_cast<size_t>(y) * cover.width + x];
                cell = std::max(cell, bitmap.buffer[row * bitmap.pitch + column]);
            }
        }
        penX += slot->advance.x;
    }
    return cover;
}

void TextPainter::Draw(Canvas& canvas, int x, int y, const std::string& text, const Style& style)
{
    Coverage cover = Render(text, style.pixelSize);
    if (cover.width == 0) {
        return;
    }
    int left = x - 2;
    std::vector<uint8_t> outline = style.outlineWidth > 0 ? Dilate(cover, style.outlineWidth) : cover.values;
    if (style.shadow.a > 0) {
        BlendMap(canvas, left + style.shadowOffset, y + style.shadowOffset, cover, outline, style.shadow, style.shadow);
    }
    if (style.outlineWidth > 0 && style.outline.a > 0) {
        BlendMap(canvas, left, y, cover, outline, style.outline, style.outline);
    }
    BlendMap(canvas, left, y, cover, cover.values, style.top, style.bottom);
}

void TextPainter::DrawCentred(Canvas& canvas, int centreX, int y, const std::string& text, const Style& style)
{
    Draw(canvas, centreX - Measure(text, style.pixelSize) / 2, y, text, style);
}
