#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Canvas.h"

// How the glyphs of one font picture look: a warm gradient fill lit from the upper left, a
// dark outline and a soft shadow to the lower right.
struct FontStyle {
    std::string fontFile;
    int pixelSize = 24;
    int outline = 2;
    int shadow = 2;
    // The game's spacing for this font: each glyph is padded so that spacing + width - 1,
    // the game's advance, equals the typeface's own advance.
    int spacing = 0;
    Rgba fillTop{255, 238, 170, 255};
    Rgba fillBottom{236, 150, 40, 255};
    Rgba outlineColour{62, 30, 12, 255};
    Rgba shadowColour{40, 18, 6, 150};
};

// One row of glyphs, one per character-set cell, as the game's glyph scan cuts them: glyphs
// separated by empty columns and no empty column inside a glyph. Pixels that only hold a glyph
// together or pad it to its advance are "solid" with alpha 0: present in the colour picture,
// invisible through the alpha picture.
struct FontStrip {
    Canvas picture;                          // colour with alpha = coverage
    std::vector<uint8_t> solid;              // 1 where the colour picture must not be transparent
    std::vector<std::pair<int, int>> cells;  // first column and one past the last, per cell

    bool Present(int x, int y) const
    {
        return picture.At(x, y).a > 0 || solid[static_cast<size_t>(y) * picture.Width() + x] != 0;
    }
};

// Empty columns between two glyphs; the scan needs two after a one-column glyph.
constexpr int kGlyphGap = 3;

// An empty strip when the typeface cannot be opened.
FontStrip PaintFontStrip(const FontStyle& style, const std::string& characterSet);

// 24-bit picture: present pixels in their colour, the rest magenta (transparent once loaded).
std::string EncodeFontColour(const FontStrip& strip);
// 8-bit grey alpha picture of the same size.
std::string EncodeFontAlpha(const FontStrip& strip);
