#include "screens/MenuScreens.h"

#include <cmath>

#include "paint/Colour.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"
#include "screens/DwarfPainter.h"

namespace menu_screens {
namespace {

using dwarf_painter::PaintDwarf;
using dwarf_painter::Pose;
using paint::Rgb;
using paint::Solid;
using screen_painting::BodyStyle;
using screen_painting::HeadingStyle;
using screen_painting::TitleStyle;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kButtonBarTop = 672;
constexpr int kRows = 8;
constexpr int kRowTop = 95;
constexpr int kRowStep = 65;
constexpr int kNameX = 150;
constexpr int kScoreRight = 874;

// A soft light glow that makes text over the scene easy to read.
void Glow(Canvas& canvas, double cx, double cy, double rx, double ry, double strength)
{
    auto shader = [&](int x, int y) {
        double dx = (x + 0.5 - cx) / rx;
        double dy = (y + 0.5 - cy) / ry;
        double fall = std::clamp(1.0 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
        return paint::WithAlpha(Rgb(255, 248, 226), strength * std::min(1.0, fall * 2.0));
    };
    paint::FillEllipse(canvas, cx, cy, rx, ry, shader);
}

void Opaque(Canvas& canvas)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.At(x, y).a = 255;
        }
    }
}

void Sparkle(Canvas& canvas, double cx, double cy, double size, Rgba colour)
{
    paint::FillConvex(canvas, {{cx, cy - size}, {cx + size * 0.25, cy}, {cx, cy + size}, {cx - size * 0.25, cy}},
                      Solid{colour});
    paint::FillConvex(canvas, {{cx - size, cy}, {cx, cy - size * 0.25}, {cx + size, cy}, {cx, cy + size * 0.25}},
                      Solid{colour});
}

}  // namespace

Canvas MainMenu(const Canvas& scene, screen_painting::Fonts& fonts)
{
    Canvas canvas = screen_painting::VeiledScene(scene, 0.28);
    Glow(canvas, 512, 150, 460, 120, 0.55);
    screen_painting::PaintTitleRibbon(canvas, fonts, 512, 60, "Das Quillmark", 76);
    TextPainter::Style subtitle = HeadingStyle(30);
    subtitle.outline = Rgb(255, 246, 220);
    subtitle.outlineWidth = 3;
    fonts.serifBold.DrawCentred(canvas, 512, 196, "Zwerge, Bretter und ein Hof voller Beulen", subtitle);
    // Clear of the credits' back button at (30, 550), which shares this background.
    PaintDwarf(canvas, 330, kButtonBarTop - 6, 1.25, Pose::kCheering);
    PaintDwarf(canvas, 880, kButtonBarTop - 6, 1.25, Pose::kCarrying);
    screen_painting::PaintWoodBar(canvas, kButtonBarTop);
    Opaque(canvas);
    return canvas;
}

Canvas Highscores(screen_painting::Fonts& fonts)
{
    Canvas canvas(kWidth, kHeight);
    screen_painting::PaintWoodBar(canvas, 0);
    screen_painting::PaintParchment(canvas, 40, 10, 984, 620, 21);
    fonts.serifBold.DrawCentred(canvas, 512, 20, "Bestenliste", TitleStyle(52));
    for (int i = 0; i < kRows; ++i) {
        int top = kRowTop + kRowStep * i;
        Rgba stripe = i % 2 ? Rgb(255, 250, 236, 110) : Rgb(190, 140, 80, 60);
        paint::FillRoundRect(canvas, 70, top - 8, 954, top + 52, 10, Solid{stripe});
        std::string rank = std::to_string(i + 1) + ".";
        TextPainter::Style style = HeadingStyle(30);
        int width = fonts.serifBold.Measure(rank, 30);
        fonts.serifBold.Draw(canvas, kNameX - 22 - width, top + 4, rank, style);
        for (int x = kNameX + 330; x < kScoreRight - 150; x += 12) {
            paint::FillEllipse(canvas, x, top + 34, 1.6, 1.6, Solid{Rgb(150, 110, 70, 160)});
        }
    }
    // Crowns for the first three places.
    const Rgba medals[3] = {Rgb(250, 200, 60), Rgb(210, 214, 222), Rgb(210, 140, 80)};
    for (int i = 0; i < 3; ++i) {
        double cx = 928, cy = kRowTop + kRowStep * i + 22;
        std::vector<paint::Point> crown = {
            {cx - 14, cy + 10}, {cx + 14, cy + 10}, {cx + 16, cy - 10}, {cx - 16, cy - 10}};
        paint::FillConvex(canvas, crown, Solid{paint::kOutline}, 1.4);
        paint::FillConvex(canvas, crown, Solid{medals[i]});
        for (double dx : {-12.0, 0.0, 12.0}) {
            paint::FillConvex(canvas, {{cx + dx - 5, cy - 9}, {cx + dx + 5, cy - 9}, {cx + dx, cy - 20}},
                              Solid{medals[i]});
        }
    }
    PaintDwarf(canvas, 512, 760, 0.6, Pose::kCheering);
    Opaque(canvas);
    return canvas;
}

Canvas Exit(const Canvas& scene, screen_painting::Fonts& fonts)
{
    Canvas canvas = screen_painting::VeiledScene(scene, 0.35);
    Glow(canvas, 512, 260, 470, 190, 0.7);
    screen_painting::PaintTitleRibbon(canvas, fonts, 512, 120, "Danke f\xFCrs Spielen!", 64);
    TextPainter::Style line = HeadingStyle(34);
    line.outline = Rgb(255, 246, 220);
    line.outlineWidth = 3;
    fonts.serifBold.DrawCentred(canvas, 512, 250, "Auf Wiedersehen im Quillmark!", line);
    TextPainter::Style hint = BodyStyle(22);
    hint.outline = Rgb(255, 246, 220);
    hint.outlineWidth = 2;
    fonts.sansBold.DrawCentred(canvas, 512, 320, "Eine Taste oder ein Klick beendet das Spiel.", hint);
    PaintDwarf(canvas, 300, 700, 1.3, Pose::kWaving);
    PaintDwarf(canvas, 730, 700, 1.3, Pose::kCheering);
    Opaque(canvas);
    return canvas;
}

Canvas GameOver(const Canvas& scene, screen_painting::Fonts& fonts)
{
    Canvas canvas = screen_painting::VeiledScene(scene, 0.3);
    // Dusk falls over the courtyard.
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            canvas.Blend(x, y, Rgb(70, 40, 90, 70 + y * 50 / kHeight));
        }
    }
    Glow(canvas, 512, 384, 520, 150, 0.3);
    screen_painting::PaintTitleRibbon(canvas, fonts, 512, 110, "Spiel vorbei", 80);
    for (int i = 0; i < 9; ++i) {
        Sparkle(canvas, 150 + i * 90, 60 + (i % 3) * 14, 7 + (i % 2) * 4, Rgb(255, 240, 170));
    }
    PaintDwarf(canvas, 512, 740, 1.1, Pose::kWaving);
    Opaque(canvas);
    return canvas;
}

Canvas LoaderBack(const Canvas& scene, screen_painting::Fonts& fonts)
{
    Canvas canvas = screen_painting::VeiledScene(scene, 0.5);
    screen_painting::PaintTitleRibbon(canvas, fonts, 512, 14, "Das Quillmark", 56);
    // A calm parchment plate under the bar and the percentage.
    screen_painting::PaintParchment(canvas, 356, 100, 668, 524, 31);
    TextPainter::Style hint = BodyStyle(28);
    fonts.sansBold.DrawCentred(canvas, 512, 548, "Die Zwerge w\xE4rmen sich auf \x85", [&] {
        TextPainter::Style s = hint;
        s.outline = Rgb(255, 246, 220);
        s.outlineWidth = 2;
        return s;
    }());
    Opaque(canvas);
    return canvas;
}

std::vector<Canvas> LoaderFenno(screen_painting::Fonts& fonts)
{
    std::vector<Canvas> frames;
    for (int frame = 0; frame < kLoaderFrames; ++frame) {
        Canvas c(kLoaderWidth, kLoaderHeight);
        const double feet = kLoaderHeight - 8;
        if (frame == 2) {
            PaintDwarf(c, kLoaderWidth / 2.0 - 26, feet, 1.0, Pose::kCarrying);
        } else {
            if (frame == 1) {
                for (int i = 0; i < 8; ++i) {
                    double a = i * 0.785 + 0.3;
                    Sparkle(c, kLoaderWidth / 2.0 + std::cos(a) * 78, feet - 120 + std::sin(a) * 100, 10,
                            Rgb(250, 200, 60));
                }
            }
            PaintDwarf(c, kLoaderWidth / 2.0, feet, 1.05, Pose::kCheering);
            fonts.serifBold.DrawCentred(c, kLoaderWidth / 2, 4, "Fertig!", TitleStyle(frame == 1 ? 34 : 32));
        }
        frames.push_back(std::move(c));
    }
    return frames;
}

}  // namespace menu_screens
