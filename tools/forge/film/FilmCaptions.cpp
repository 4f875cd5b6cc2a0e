#include "film/FilmCaptions.h"

#include <algorithm>

#include "paint/Colour.h"

namespace film_captions {
namespace {

constexpr int kMargin = 4;

// The rows that hold paint, with a little room.
Canvas CutToPaint(const Canvas& canvas)
{
    int top = canvas.Height();
    int bottom = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.At(x, y).a != 0) {
                top = std::min(top, y);
                bottom = y;
                break;
            }
        }
    }
    if (bottom < top) {
        return Canvas();
    }
    top = std::max(0, top - kMargin);
    bottom = std::min(canvas.Height() - 1, bottom + kMargin);
    Canvas cut(canvas.Width(), bottom - top + 1);
    for (int y = 0; y < cut.Height(); ++y) {
        for (int x = 0; x < cut.Width(); ++x) {
            cut.At(x, y) = canvas.At(x, top + y);
        }
    }
    return cut;
}

}  // namespace

Canvas TitleRibbon(screen_painting::Fonts& fonts, const char* title, int pixelSize)
{
    Canvas canvas(kPaintWidth, pixelSize * 2 + 40);
    screen_painting::PaintTitleRibbon(canvas, fonts, kPaintWidth / 2, 10, title, pixelSize);
    return CutToPaint(canvas);
}

Canvas Subtitle(screen_painting::Fonts& fonts, const char* text, int pixelSize)
{
    Canvas canvas(kPaintWidth, pixelSize * 2);
    TextPainter::Style style = screen_painting::HeadingStyle(pixelSize);
    style.outline = paint::Rgb(255, 246, 220);
    style.outlineWidth = 3;
    fonts.serifBold.DrawCentred(canvas, kPaintWidth / 2, pixelSize / 3, text, style);
    return CutToPaint(canvas);
}

}  // namespace film_captions
