#include "fonts/GlyphRasterizer.h"

#include <array>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

// Windows-1252 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr std::array<char32_t, 32> kUpperControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

GlyphRasterizer::GlyphRasterizer(const std::string& fontFile, int pixelSize)
{
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "qmforge: FreeType does not start\n");
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "qmforge: cannot open the font <%s>\n", fontFile.c_str());
        face = nullptr;
        return;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        std::fprintf(stderr, "qmforge: the font <%s> has no size %d\n", fontFile.c_str(), pixelSize);
        FT_Done_Face(face);
        face = nullptr;
    }
}

GlyphRasterizer::~GlyphRasterizer()
{
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
}

char32_t GlyphRasterizer::ToUnicode(unsigned char code)
{
    return code >= 0x80 && code < 0xA0 ? kUpperControls[code - 0x80] : static_cast<char32_t>(code);
}

GlyphCoverage GlyphRasterizer::Render(unsigned char code) const
{
    GlyphCoverage glyph;
    if (!face) {
        return glyph;
    }
    FT_UInt index = FT_Get_Char_Index(face, ToUnicode(code));
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return glyph;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.left = face->glyph->bitmap_left;
    glyph.top = face->glyph->bitmap_top;
    glyph.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = row[x];
        }
    }
    return glyph;
}
