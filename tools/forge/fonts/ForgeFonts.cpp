#include "fonts/ForgeFonts.h"

#include <algorithm>
#include <cstdio>

#include "core/ForgeOutput.h"
#include "fonts/FontCharacterSets.h"

namespace {

const std::string kTypefaces = "/usr/share/fonts/truetype/dejavu/";

FontStyle Style(const std::string& typeface, int pixelSize, int outline, int shadow, int spacing)
{
    FontStyle style;
    style.fontFile = kTypefaces + typeface;
    style.pixelSize = pixelSize;
    style.outline = outline;
    style.shadow = shadow;
    style.spacing = spacing;
    return style;
}

// The strip cut into pieces a review sheet can show.
void AddStripToSheet(ForgeOutput& output, const std::string& name, const Canvas& picture)
{
    constexpr int kPieceWidth = 1000;
    for (int left = 0, piece = 1; left < picture.Width(); left += kPieceWidth, ++piece) {
        const int width = std::min(kPieceWidth, picture.Width() - left);
        Canvas part(width, picture.Height());
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < width; ++x) {
                part.At(x, y) = picture.At(left + x, y);
            }
        }
        output.AddToSheet("fonts", name + " " + std::to_string(piece), part);
    }
}

}  // namespace

const std::vector<GameFont>& GameFonts()
{
    // Spacing as the game loads each font: small and big -2, the clock digits 0, the small digits 3.
    static const std::vector<GameFont> fonts = {
        {"IngameFont_small", &font_sets::Text(), Style("DejaVuSerif-Bold.ttf", 28, 2, 2, -2)},
        {"IngameFont_big", &font_sets::Text(), Style("DejaVuSerif-Bold.ttf", 34, 2, 2, -2)},
        {"font_ziffern_gross", &font_sets::Digits(), Style("DejaVuSans-Bold.ttf", 46, 3, 2, 0)},
        {"font_ziffern_klein", &font_sets::Digits(), Style("DejaVuSans-Bold.ttf", 22, 2, 1, 3)},
    };
    return fonts;
}

bool ForgeFonts(ForgeOutput& output)
{
    bool ok = true;
    for (const GameFont& font : GameFonts()) {
        FontStrip strip = PaintFontStrip(font.style, *font.characterSet);
        if (strip.cells.empty()) {
            std::fprintf(stderr, "qmforge: the font %s could not be painted\n", font.name.c_str());
            ok = false;
            continue;
        }
        output.WriteBytes("data\\fonts\\" + font.name + ".bmp", EncodeFontColour(strip));
        output.WriteBytes("data\\fonts\\" + font.name + "Alpha.bmp", EncodeFontAlpha(strip));
        AddStripToSheet(output, font.name, strip.picture);
    }
    return ok;
}
