#include "screens/MenuButtons.h"

#include <cmath>

#include "paint/Colour.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"
#include "paint/ValueNoise.h"

namespace menu_buttons {
namespace {

using paint::Rgb;
using paint::Solid;

constexpr Rgba kFrameColour{58, 34, 18, 255};

Canvas ButtonFrame(screen_painting::Fonts& fonts, int width, int height, const char* caption, int state)
{
    Canvas c(width, height, kFrameColour);
    ValueNoise noise(77);
    const bool hovered = state == 1;
    const bool pressed = state == 2;
    double brightness = hovered ? 1.16 : pressed ? 0.82 : 1.0;
    double inset = 4.0;
    Rgba rim = hovered ? Rgb(250, 206, 90) : Rgb(150, 104, 60);
    paint::FillRoundRect(c, 1, 1, width - 1, height - 1, 10, Solid{rim});
    auto wood = [&](int x, int y) {
        double grain = noise.Fractal(x * 0.012, y * 0.3, 2);
        double light = pressed ? 0.95 + 0.1 * y / height : 1.15 - 0.3 * y / height;
        return paint::Scale(Rgb(176, 118, 64), brightness * light * (0.85 + 0.3 * grain));
    };
    paint::FillRoundRect(c, inset, inset, width - inset, height - inset, 8, wood);
    // Iron studs at both ends.
    for (double x : {inset + 10.0, width - inset - 10.0}) {
        for (double y : {inset + 10.0, height - inset - 10.0}) {
            paint::FillEllipse(c, x, y, 3.2, 3.2, Solid{Rgb(60, 56, 56)});
            paint::FillEllipse(c, x - 0.8, y - 0.8, 1.3, 1.3, Solid{Rgb(200, 200, 205)});
        }
    }
    int size = std::min(height * 9 / 20, 34);
    while (size > 12 && fonts.serifBold.Measure(caption, size) > width - 44) {
        --size;
    }
    TextPainter::Style style = screen_painting::CaptionStyle(size);
    if (hovered) {
        style.top = Rgb(255, 255, 236);
        style.bottom = Rgb(255, 220, 110);
    }
    int textTop = (height - static_cast<int>(size * 1.2)) / 2 + (pressed ? 2 : 0);
    fonts.serifBold.DrawCentred(c, width / 2 + (pressed ? 1 : 0), textTop, caption, style);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            c.At(x, y).a = 255;
        }
    }
    return c;
}

}  // namespace

std::vector<Canvas> ButtonFrames(screen_painting::Fonts& fonts, int width, int height, const char* caption)
{
    std::vector<Canvas> frames;
    for (int state = 0; state < kFrames; ++state) {
        frames.push_back(ButtonFrame(fonts, width, height, caption, state));
    }
    return frames;
}

Canvas Cursor()
{
    Canvas c(32, 32);
    std::vector<paint::Point> head = {{0.0, 0.0}, {0.0, 24.0}, {17.5, 17.5}};
    std::vector<paint::Point> tail = {{5.5, 17.0}, {10.0, 15.5}, {15.5, 26.5}, {11.0, 28.5}};
    paint::FillConvex(c, tail, Solid{paint::kOutline}, 1.6);
    paint::FillConvex(c, head, Solid{paint::kOutline}, 1.6);
    auto gold = [](int x, int y) { return paint::Scale(Rgb(252, 214, 100), 1.15 - 0.02 * (x + y)); };
    paint::FillConvex(c, tail, gold);
    paint::FillConvex(c, head, gold);
    paint::FillConvex(c, {{2.0, 4.5}, {2.0, 16.0}, {8.5, 13.0}}, Solid{Rgb(255, 250, 220)});
    // The hot spot must be visible ink, whatever the anti-aliasing left there.
    c.At(0, 0) = paint::kOutline;
    return c;
}

}  // namespace menu_buttons
