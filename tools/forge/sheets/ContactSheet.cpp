#include "sheets/ContactSheet.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "core/BmpEncoder.h"
#include "fonts/GlyphRasterizer.h"

namespace {

constexpr int kMargin = 8;
constexpr int kCaptionHeight = 16;
const Rgba kBackground{58, 52, 48, 255};

// Averages factor x factor blocks, weighting colour by coverage.
Canvas Reduce(const Canvas& picture, int factor)
{
    if (factor <= 1) {
        return picture;
    }
    Canvas out(std::max(1, picture.Width() / factor), std::max(1, picture.Height() / factor));
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            long r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const Rgba& p = picture.At(std::min(x * factor + dx, picture.Width() - 1),
                                               std::min(y * factor + dy, picture.Height() - 1));
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            }
            if (a > 0) {
                out.At(x, y) = Rgba{uint8_t(r / a), uint8_t(g / a), uint8_t(b / a), uint8_t(a / (factor * factor))};
            }
        }
    }
    return out;
}

void PaintChecker(Canvas& sheet, int left, int top, int width, int height)
{
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            bool dark = ((x - left) / 8 + (y - top) / 8) % 2 == 1;
            sheet.Set(x, y, dark ? Rgba{196, 196, 200, 255} : Rgba{226, 226, 230, 255});
        }
    }
}

void PaintCaption(Canvas& sheet, const GlyphRasterizer& rasterizer, int x, int baseline, const std::string& text,
                  int maxWidth)
{
    for (unsigned char code : text) {
        GlyphCoverage glyph = rasterizer.Render(code);
        if (x + glyph.advance > maxWidth) {
            return;
        }
        for (int gy = 0; gy < glyph.height; ++gy) {
            for (int gx = 0; gx < glyph.width; ++gx) {
                sheet.Blend(x + glyph.left + gx, baseline - glyph.top + gy, Rgba{240, 232, 214, glyph.At(gx, gy)});
            }
        }
        x += glyph.advance;
    }
}

int CaptionWidth(const GlyphRasterizer& rasterizer, const std::string& text)
{
    int width = 0;
    for (unsigned char code : text) {
        width += rasterizer.Render(code).advance;
    }
    return width;
}

struct Placed {
    Canvas picture;
    int x = 0;
    int y = 0;
    int cellWidth = 0;
};

}  // namespace

Canvas ContactSheet::Compose(const std::vector<std::pair<std::string, Canvas>>& frames)
{
    GlyphRasterizer rasterizer("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11);
    std::vector<Placed> placed;
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    int sheetWidth = 0;
    for (const auto& [label, picture] : frames) {
        const int factor = std::max((picture.Width() + kMaxWidth - 1) / kMaxWidth, (picture.Height() + kMaxHeight - 1) / kMaxHeight);
        Placed item{Reduce(picture, factor)};
        item.cellWidth = std::max({item.picture.Width(), CaptionWidth(rasterizer, label), 32});
        if (x + item.cellWidth + kMargin > kSheetWidth && x > kMargin) {
            x = kMargin;
            y += rowHeight + kCaptionHeight + kMargin;
            rowHeight = 0;
        }
        item.x = x;
        item.y = y;
        x += item.cellWidth + kMargin;
        rowHeight = std::max(rowHeight, item.picture.Height());
        sheetWidth = std::max(sheetWidth, x);
        placed.push_back(std::move(item));
    }
    Canvas sheet(std::max(sheetWidth, 1), y + rowHeight + kCaptionHeight + kMargin, kBackground);
    for (size_t i = 0; i < placed.size(); ++i) {
        const Placed& item = placed[i];
        PaintChecker(sheet, item.x, item.y, item.picture.Width(), item.picture.Height());
        sheet.Paste(item.picture, item.x, item.y);
        PaintCaption(sheet, rasterizer, item.x, item.y + item.picture.Height() + 12, frames[i].first,
                     item.x + item.cellWidth);
    }
    return sheet;
}

bool ContactSheet::WriteAll(
    const std::map<std::string, std::vector<std::pair<std::string, Canvas>>>& groups,
    const std::filesystem::path& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    bool ok = true;
    for (const auto& [group, frames] : groups) {
        const std::filesystem::path file = dir / (group + ".bmp");
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bmp::Encode24(Compose(frames));
        out.close();
        if (!out) {
            std::fprintf(stderr, "qmforge: cannot write the sheet %s\n", file.c_str());
            ok = false;
        }
    }
    return ok;
}
