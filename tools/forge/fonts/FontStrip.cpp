#include "fonts/FontStrip.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/BmpEncoder.h"
#include "fonts/FontCharacterSets.h"
#include "fonts/GlyphRasterizer.h"

namespace {

// Premultiplied colour for compositing the layers of one glyph.
struct Paint {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;

    void Over(Rgba colour, float coverage)
    {
        float alpha = coverage * colour.a / 255.0f;
        r = colour.r * alpha + r * (1 - alpha);
        g = colour.g * alpha + g * (1 - alpha);
        b = colour.b * alpha + b * (1 - alpha);
        a = alpha + a * (1 - alpha);
    }

    Rgba Straight() const
    {
        if (a <= 0) {
            return {};
        }
        auto channel = [this](float value) { return static_cast<uint8_t>(std::clamp(value / a + 0.5f, 0.0f, 255.0f)); };
        return {channel(r), channel(g), channel(b), static_cast<uint8_t>(std::clamp(a * 255 + 0.5f, 0.0f, 255.0f))};
    }
};

Rgba Mix(Rgba from, Rgba to, float t)
{
    auto channel = [t](int a, int b) { return static_cast<uint8_t>(a + (b - a) * t + 0.5f); };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b), 255};
}

// The coverage grown by radius pixels, with a soft rim.
std::vector<float> Dilate(const GlyphCoverage& glyph, int radius, int width, int height, int offset)
{
    std::vector<float> out(static_cast<size_t>(width) * height, 0.0f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float best = 0;
            for (int dy = -radius - 1; dy <= radius + 1; ++dy) {
                for (int dx = -radius - 1; dx <= radius + 1; ++dx) {
                    float weight = std::clamp(radius + 1.0f - std::sqrt(float(dx * dx + dy * dy)), 0.0f, 1.0f);
                    best = std::max(best, weight * glyph.At(x - offset + dx, y - offset + dy) / 255.0f);
                }
            }
            out[static_cast<size_t>(y) * width + x] = best;
        }
    }
    return out;
}

struct Metrics {
    int above = 0;  // rows above the baseline, outline included
    int below = 0;  // rows below it, outline and shadow included
};

class StripPainter {
public:
    StripPainter(const FontStyle& fontStyle, const GlyphRasterizer& fontRasterizer, Metrics metrics)
        : style(fontStyle), rasterizer(fontRasterizer), baseline(metrics.above + 1)
    {
        height = metrics.above + metrics.below + 2;
        gradientTop = baseline - static_cast<int>(style.pixelSize * 0.75f);
        for (unsigned char digit = '0'; digit <= '9'; ++digit) {
            digitWidth = std::max(digitWidth, Measure(rasterizer.Render(digit)).width);
        }
    }

    void AddGlyph(unsigned char code, bool placeholder)
    {
        const int start = cursor;
        if (placeholder) {
            AddPlaceholder();
        } else {
            AddStyledGlyph(code, rasterizer.Render(code));
        }
        cells.emplace_back(start, cursor);
        cursor += kGlyphGap;
    }

    FontStrip Finish()
    {
        FontStrip strip;
        const int width = std::max(1, cursor - kGlyphGap);
        strip.picture = Canvas(width, height);
        strip.solid.assign(static_cast<size_t>(width) * height, 0);
        for (const auto& [x, y, colour, solid] : pixels) {
            if (x < width) {
                strip.picture.At(x, y) = colour;
                strip.solid[static_cast<size_t>(y) * width + x] = solid ? 1 : 0;
            }
        }
        strip.cells = cells;
        return strip;
    }

private:
    struct Pixel {
        int x;
        int y;
        Rgba colour;
        bool solid;
    };

    void AddPlaceholder()
    {
        for (int y = baseline - 2; y < baseline; ++y) {
            for (int x = cursor; x < cursor + 2; ++x) {
                pixels.push_back({x, y, style.outlineColour, false});
            }
        }
        cursor += 2;
    }

    Rgba FillColour(int stripRow, float highlight) const
    {
        float t = std::clamp(float(stripRow - gradientTop) / float(std::max(1, baseline - gradientTop)), 0.0f, 1.0f);
        Rgba base = Mix(style.fillTop, style.fillBottom, t);
        return Mix(base, Rgba{255, 252, 232, 255}, 0.6f * highlight);
    }

    // Where a glyph's ink starts and how many columns it spans, from the cursor.
    struct Box {
        int inkLeft = 0;
        int width = 0;
    };

    Box Measure(const GlyphCoverage& glyph) const
    {
        const int o = style.outline;
        const int shift = std::max(0, o - glyph.left);
        const int inkLeft = shift + glyph.left - o;
        const int inkWidth = glyph.width + 2 * o + style.shadow;
        // The game steps spacing + width - 1: pad to the typeface's advance; neighbouring
        // outlines may overlap by half their width.
        return {inkLeft, std::max(shift + glyph.advance + o / 2 - style.spacing + 1, inkLeft + inkWidth)};
    }

    // Digits share one width, centred in it, so counting numbers stand still.
    Box DigitBox(const GlyphCoverage& glyph) const
    {
        Box box = Measure(glyph);
        box.inkLeft += (digitWidth - box.width) / 2;
        box.width = digitWidth;
        return box;
    }

    void AddStyledGlyph(unsigned char code, const GlyphCoverage& glyph)
    {
        const int o = style.outline;
        const int w = glyph.width + 2 * o + style.shadow;
        const int h = glyph.height + 2 * o + style.shadow;
        const Box box = std::isdigit(code) ? DigitBox(glyph) : Measure(glyph);
        const int inkLeft = cursor + box.inkLeft;
        const int inkTop = baseline - glyph.top - o;
        const std::vector<float> outline = Dilate(glyph, o, w, h, o);
        const std::vector<float> shadow = Dilate(glyph, o, w, h, o + style.shadow);
        std::vector<bool> inked(static_cast<size_t>(w), false);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const size_t at = static_cast<size_t>(y) * w + x;
                const float cover = glyph.At(x - o, y - o) / 255.0f;
                const float lit = cover * (1.0f - glyph.At(x - o - 1, y - o - 1) / 255.0f);
                Paint paint;
                paint.Over(style.shadowColour, shadow[at]);
                paint.Over(style.outlineColour, outline[at]);
                paint.Over(FillColour(inkTop + y, lit), cover);
                Rgba colour = paint.Straight();
                if (colour.a > 0) {
                    pixels.push_back({inkLeft + x, inkTop + y, colour, false});
                    inked[static_cast<size_t>(x)] = true;
                }
            }
        }
        BridgeEmptyColumns(inked, inkLeft, cursor + box.width, inkTop + h / 2);
        cursor += box.width;
    }

    // Columns of the glyph's span without ink get an invisible solid pixel, so the scan
    // neither splits the glyph nor loses its padding.
    void BridgeEmptyColumns(const std::vector<bool>& inked, int inkLeft, int end, int row)
    {
        for (int x = cursor; x < end; ++x) {
            int local = x - inkLeft;
            bool hasInk = local >= 0 && local < static_cast<int>(inked.size()) && inked[static_cast<size_t>(local)];
            if (!hasInk) {
                pixels.push_back({x, std::clamp(row, 0, height - 1), Rgba{style.outlineColour.r, style.outlineColour.g,
                                                                           style.outlineColour.b, 0},
                                  true});
            }
        }
    }

    const FontStyle& style;
    const GlyphRasterizer& rasterizer;
    const int baseline;
    int height = 0;
    int gradientTop = 0;
    int cursor = 0;
    int digitWidth = 0;
    std::vector<Pixel> pixels;
    std::vector<std::pair<int, int>> cells;
};

Metrics MeasureSet(const FontStyle& style, const GlyphRasterizer& rasterizer, const std::string& set)
{
    Metrics metrics;
    for (unsigned char code : set) {
        GlyphCoverage glyph = rasterizer.Render(code);
        metrics.above = std::max(metrics.above, glyph.top + style.outline);
        metrics.below = std::max(metrics.below, glyph.height - glyph.top + style.outline + style.shadow);
    }
    return metrics;
}

}  // namespace

FontStrip PaintFontStrip(const FontStyle& style, const std::string& characterSet)
{
    GlyphRasterizer rasterizer(style.fontFile, style.pixelSize);
    if (!rasterizer.Ok() || characterSet.empty()) {
        return FontStrip{};
    }
    StripPainter painter(style, rasterizer, MeasureSet(style, rasterizer, characterSet));
    for (size_t cell = 0; cell < characterSet.size(); ++cell) {
        painter.AddGlyph(static_cast<unsigned char>(characterSet[cell]), font_sets::IsRepeat(characterSet, cell));
    }
    return painter.Finish();
}

std::string EncodeFontColour(const FontStrip& strip)
{
    Canvas colour(strip.picture.Width(), strip.picture.Height());
    for (int y = 0; y < colour.Height(); ++y) {
        for (int x = 0; x < colour.Width(); ++x) {
            if (strip.Present(x, y)) {
                Rgba pixel = strip.picture.At(x, y);
                colour.At(x, y) = Rgba{pixel.r, pixel.g, pixel.b, 255};
            }
        }
    }
    return bmp::Encode24(colour);
}

std::string EncodeFontAlpha(const FontStrip& strip)
{
    const int width = strip.picture.Width();
    const int height = strip.picture.Height();
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indices[static_cast<size_t>(y) * width + x] = strip.picture.At(x, y).a;
        }
    }
    std::vector<Rgba> grey(256);
    for (int i = 0; i < 256; ++i) {
        grey[static_cast<size_t>(i)] = Rgba{uint8_t(i), uint8_t(i), uint8_t(i), 255};
    }
    return bmp::EncodeIndexed(width, height, indices, grey);
}
