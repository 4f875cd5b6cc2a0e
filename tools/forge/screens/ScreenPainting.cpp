#include "screens/ScreenPainting.h"

#include <algorithm>
#include <cmath>

#include "paint/Colour.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"
#include "paint/ValueNoise.h"

namespace screen_painting {

using paint::Rgb;
using paint::Solid;

TextPainter::Style TitleStyle(int pixelSize)
{
    TextPainter::Style style;
    style.pixelSize = pixelSize;
    style.top = Rgb(255, 240, 150);
    style.bottom = Rgb(226, 140, 36);
    style.outline = Rgb(70, 36, 18);
    style.outlineWidth = std::max(2, pixelSize / 16);
    style.shadow = Rgb(40, 20, 10, 120);
    style.shadowOffset = std::max(2, pixelSize / 20);
    return style;
}

TextPainter::Style HeadingStyle(int pixelSize)
{
    TextPainter::Style style;
    style.pixelSize = pixelSize;
    style.top = Rgb(170, 50, 30);
    style.bottom = Rgb(120, 30, 20);
    return style;
}

TextPainter::Style BodyStyle(int pixelSize)
{
    TextPainter::Style style;
    style.pixelSize = pixelSize;
    style.top = Rgb(70, 46, 28);
    style.bottom = Rgb(70, 46, 28);
    return style;
}

TextPainter::Style CaptionStyle(int pixelSize)
{
    TextPainter::Style style;
    style.pixelSize = pixelSize;
    style.top = Rgb(255, 248, 220);
    style.bottom = Rgb(240, 210, 140);
    style.outline = Rgb(60, 32, 16);
    style.outlineWidth = 2;
    style.shadow = Rgb(30, 16, 8, 140);
    style.shadowOffset = 2;
    return style;
}

Canvas VeiledScene(const Canvas& scene, double strength)
{
    Canvas out = scene;
    Rgba veil = paint::WithAlpha(Rgb(255, 244, 220), strength);
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            out.Blend(x, y, veil);
        }
    }
    return out;
}

void PaintParchment(Canvas& canvas, double left, double top, double right, double bottom, unsigned seed)
{
    ValueNoise noise(seed);
    paint::FillRoundRect(canvas, left + 6, top + 8, right + 6, bottom + 8, 14, Solid{Rgb(40, 24, 10, 90)});
    paint::FillRoundRect(canvas, left, top, right, bottom, 14, Solid{Rgb(120, 80, 40)}, 2.0);
    auto paper = [&](int x, int y) {
        double edge = std::min({x - left, right - x, y - top, bottom - y});
        double burn = std::clamp(1.0 - edge / 40.0, 0.0, 1.0);
        double fibre = noise.Fractal(x * 0.02, y * 0.02, 3);
        Rgba c = paint::Mix(Rgb(250, 238, 206), Rgb(226, 196, 146), fibre * 0.6 + burn * burn * 0.7);
        return paint::Scale(c, 0.97 + 0.05 * noise.At(x * 0.5, y * 0.5));
    };
    paint::FillRoundRect(canvas, left, top, right, bottom, 14, paper);
}

void PaintWoodBar(Canvas& canvas, int top)
{
    ValueNoise noise(404);
    for (int y = top; y < canvas.Height(); ++y) {
        int plank = (y - top) / 22;
        for (int x = 0; x < canvas.Width(); ++x) {
            double grain = noise.Fractal(x * 0.01, y * 0.25 + plank * 7.0, 2);
            bool seam = (y - top) % 22 == 0;
            Rgba c = paint::Scale(Rgb(120, 76, 42), (0.8 + 0.35 * grain) * (seam ? 0.55 : 1.0));
            canvas.Set(x, y, c);
        }
    }
    for (int x = 0; x < canvas.Width(); ++x) {
        canvas.Set(x, top, Rgb(60, 36, 18));
        canvas.Set(x, top + 1, Rgb(176, 124, 74));
    }
}

void PaintTitleRibbon(Canvas& canvas, Fonts& fonts, int centreX, int top, const char* title, int pixelSize)
{
    int width = fonts.serifBold.Measure(title, pixelSize) + 120;
    double left = centreX - width / 2.0;
    double right = centreX + width / 2.0;
    double bottom = top + pixelSize * 1.45;
    const double band = top + 16.0;
    const double low = bottom + 16.0;
    // Ribbon ends folded behind, then the band.
    for (double side : {-1.0, 1.0}) {
        double x = side < 0 ? left : right;
        std::vector<paint::Point> end = {{x - side * 20, band},
                                         {x + side * 50, band},
                                         {x + side * 30, (band + low) / 2},
                                         {x + side * 50, low},
                                         {x - side * 20, low}};
        paint::FillConvex(canvas, {end[0], end[1], end[2], end[4]}, Solid{paint::kOutline}, 1.5);
        paint::FillConvex(canvas, {end[2], end[3], end[4]}, Solid{paint::kOutline}, 1.5);
        paint::FillConvex(canvas, {end[0], end[1], end[2], end[4]}, Solid{Rgb(140, 30, 30)});
        paint::FillConvex(canvas, {end[2], end[3], end[4]}, Solid{Rgb(140, 30, 30)});
    }
    paint::FillRoundRect(canvas, left, top, right, bottom, 6, Solid{paint::kOutline}, 1.8);
    paint::FillRoundRect(canvas, left, top, right, bottom, 6, [&](int, int y) {
        return paint::Scale(Rgb(196, 46, 40), 1.12 - 0.3 * (y - top) / (bottom - top));
    });
    paint::FillRoundRect(canvas, left + 6, top + 5, right - 6, top + 8, 1, Solid{Rgb(240, 190, 80)});
    paint::FillRoundRect(canvas, left + 6, bottom - 8, right - 6, bottom - 5, 1, Solid{Rgb(240, 190, 80)});
    fonts.serifBold.DrawCentred(canvas, centreX, static_cast<int>(top + pixelSize * 0.12), title,
                                TitleStyle(pixelSize));
}

int DrawWrapped(Canvas& canvas, TextPainter& painter, int x, int y, int width, const std::string& text,
                const TextPainter::Style& style, int lineHeight)
{
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && painter.Measure(candidate, style.pixelSize) > width) {
            painter.Draw(canvas, x, y, line, style);
            y += lineHeight;
            line = word;
        } else {
            line = candidate;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    if (!line.empty()) {
        painter.Draw(canvas, x, y, line, style);
        y += lineHeight;
    }
    return y;
}

}  // namespace screen_painting
