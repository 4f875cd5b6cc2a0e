#include "items/ItemPictures.h"

#include <cmath>
#include <vector>

#include "paint/Colour.h"
#include "paint/SeededRandom.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"

namespace item_pictures {
namespace {

using paint::Point;
using paint::Rgb;
using paint::Solid;

constexpr double kPi = 3.14159265358979;
constexpr double kLine = 1.6;
constexpr Rgba kInk = paint::kOutline;

// Shading of a round surface lit from the upper left.
struct Ball {
    double cx, cy, r;
    Rgba colour;
    Rgba operator()(int x, int y) const
    {
        double nx = (x + 0.5 - cx) / r;
        double ny = (y + 0.5 - cy) / r;
        double light = 1.12 - 0.22 * nx - 0.26 * ny;
        double glint = std::hypot(nx + 0.4, ny + 0.45) < 0.22 ? 0.35 : 0.0;
        return paint::Mix(paint::Scale(colour, light), Rgb(255, 255, 255), glint);
    }
};

void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, Rgba colour)
{
    paint::FillEllipse(c, cx, cy, rx, ry, Solid{kInk}, kLine);
    paint::FillEllipse(c, cx, cy, rx, ry, Ball{cx, cy, std::max(rx, ry), colour});
}

void Stick(Canvas& c, Point a, Point b, double radius, Rgba colour)
{
    paint::FillCapsule(c, a, b, radius, Solid{kInk}, kLine);
    paint::FillCapsule(c, a, b, radius, Solid{colour});
    paint::FillCapsule(c, {a.x - radius * 0.35, a.y - radius * 0.35}, {b.x - radius * 0.35, b.y - radius * 0.35},
                       radius * 0.35, Solid{paint::Scale(colour, 1.18)});
}

void PaintMushroom(Canvas& c, double cx, double base, double size, Rgba cap)
{
    double stemW = 9 * size;
    paint::FillRoundRect(c, cx - stemW, base - 34 * size, cx + stemW, base, 5 * size, Solid{kInk}, kLine);
    paint::FillRoundRect(c, cx - stemW, base - 34 * size, cx + stemW, base, 5 * size,
                         [&](int x, int) { return paint::Scale(Rgb(246, 236, 210), 1.05 - 0.2 * (x - cx) / stemW); });
    double capY = base - 32 * size;
    paint::FillEllipse(c, cx, capY, 32 * size, 21 * size, Solid{kInk}, kLine);
    paint::FillEllipse(c, cx, capY, 32 * size, 21 * size, Ball{cx, capY, 30 * size, cap});
    const double dots[4][3] = {{-14, -8, 5}, {6, -14, 4}, {16, -2, 4.5}, {-2, 0, 3.5}};
    for (const auto& d : dots) {
        paint::FillEllipse(c, cx + d[0] * size, capY + d[1] * size, d[2] * size, d[2] * size * 0.8,
                           Solid{Rgb(252, 248, 240)});
    }
}

void Burst(Canvas& c, double cx, double cy, double inner, double outer, int spikes, Rgba colour, double turn)
{
    paint::FillEllipse(c, cx, cy, inner, inner * 0.9, Solid{colour});
    for (int i = 0; i < spikes; ++i) {
        double a = turn + 2 * kPi * i / spikes;
        double reach = outer * (i % 2 ? 0.78 : 1.0);
        double half = kPi / spikes;
        paint::FillConvex(c,
                          {{cx + std::cos(a - half) * inner, cy + std::sin(a - half) * inner * 0.9},
                           {cx + std::cos(a) * reach, cy + std::sin(a) * reach * 0.9},
                           {cx + std::cos(a + half) * inner, cy + std::sin(a + half) * inner * 0.9}},
                          Solid{colour});
    }
}

void SmokePuffs(Canvas& c, double cx, double cy, double spread, double radius, Rgba colour, unsigned seed)
{
    SeededRandom random(seed);
    std::vector<Point> centres;
    for (int i = 0; i < 7; ++i) {
        double a = random.Range(0, 2 * kPi);
        double d = random.Range(0.2, 1.0) * spread;
        centres.push_back({cx + std::cos(a) * d, cy + std::sin(a) * d * 0.7});
    }
    for (const Point& p : centres) {
        paint::FillEllipse(c, p.x, p.y, radius, radius * 0.85, Solid{paint::Scale(colour, 0.6)}, kLine);
    }
    for (const Point& p : centres) {
        paint::FillEllipse(c, p.x, p.y, radius, radius * 0.85, Ball{p.x, p.y, radius, colour});
    }
}

void PaintBomb(Canvas& c, double cx, double base, double fuse, double glow)
{
    double r = 24;
    double cy = base - r - 1;
    Rgba body = paint::Mix(Rgb(58, 60, 72), Rgb(220, 60, 40), glow);
    paint::FillEllipse(c, cx, cy, r, r, Solid{kInk}, kLine);
    paint::FillEllipse(c, cx, cy, r, r, Ball{cx, cy, r, body});
    paint::FillRoundRect(c, cx - 7, cy - r - 6, cx + 7, cy - r + 4, 2, Solid{kInk}, kLine);
    paint::FillRoundRect(c, cx - 7, cy - r - 6, cx + 7, cy - r + 4, 2, Solid{Rgb(150, 150, 160)});
    if (fuse <= 0.0) {
        return;
    }
    Point start{cx + 2, cy - r - 6};
    Point end{start.x + 14 * fuse, start.y - 16 * fuse};
    paint::FillCapsule(c, start, end, 2.2, Solid{Rgb(196, 160, 100)});
    Burst(c, end.x, end.y, 3.5, 9, 8, Rgb(255, 200, 60), 0.3);
    paint::FillEllipse(c, end.x, end.y, 3, 3, Solid{Rgb(255, 250, 220)});
}

}  // namespace

Canvas Mushroom()
{
    Canvas c(kItemSize, kItemSize);
    PaintMushroom(c, 32, 94, 0.62, Rgb(200, 40, 36));
    PaintMushroom(c, 56, 95, 0.95, Rgb(222, 48, 40));
    return c;
}

Canvas DizzyPotion()
{
    Canvas c(kItemSize, kItemSize);
    Ellipse(c, 48, 66, 28, 28, Rgb(150, 80, 200));
    paint::FillRoundRect(c, 40, 22, 56, 44, 3, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 40, 22, 56, 44, 3, Solid{Rgb(180, 130, 220)});
    paint::FillRoundRect(c, 39, 12, 57, 24, 4, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 39, 12, 57, 24, 4, Solid{Rgb(170, 120, 70)});
    // A white swirl says "dizzy".
    for (double t = 0; t < 3.2 * kPi; t += 0.08) {
        double r = 2 + t * 1.7;
        paint::FillEllipse(c, 48 + std::cos(t) * r, 68 + std::sin(t) * r * 0.9, 1.8, 1.8, Solid{Rgb(250, 240, 255)});
    }
    return c;
}

Canvas Skate()
{
    Canvas c(kItemSize, kItemSize);
    Rgba leather = Rgb(150, 90, 50);
    // Blade with a curled toe, then the struts, then the boot.
    Stick(c, {16, 88}, {76, 88}, 3.0, Rgb(200, 206, 216));
    Stick(c, {76, 88}, {84, 80}, 3.0, Rgb(200, 206, 216));
    Stick(c, {30, 88}, {30, 76}, 2.5, Rgb(170, 176, 186));
    Stick(c, {64, 88}, {64, 76}, 2.5, Rgb(170, 176, 186));
    paint::FillRoundRect(c, 22, 14, 50, 74, 8, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 22, 52, 78, 78, 12, Solid{kInk}, kLine);
    auto leatherShade = [&](int x, int y) {
        return paint::Scale(leather, 1.15 - 0.3 * (x - 22) / 56.0 - 0.1 * (y - 14) / 64.0);
    };
    paint::FillRoundRect(c, 22, 14, 50, 74, 8, leatherShade);
    paint::FillRoundRect(c, 22, 52, 78, 78, 12, leatherShade);
    paint::FillRoundRect(c, 20, 10, 52, 20, 4, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 20, 10, 52, 20, 4, Solid{Rgb(240, 236, 226)});
    for (int y = 28; y < 64; y += 9) {
        paint::FillCapsule(c, {42, static_cast<double>(y)}, {54, static_cast<double>(y) + 4}, 1.3,
                           Solid{Rgb(246, 230, 180)});
    }
    return c;
}

Canvas WoodenBoard()
{
    Canvas c(kItemSize, kItemSize);
    std::vector<Point> plank = {{14, 84}, {62, 8}, {82, 20}, {34, 95}};
    paint::FillConvex(c, plank, Solid{kInk}, kLine);
    paint::FillConvex(c, plank, [](int x, int y) {
        double grain = std::sin((x * 0.85 + y * 0.55) * 0.9) * 0.06;
        return paint::Scale(Rgb(206, 150, 86), 1.05 + grain - 0.15 * (x - 14) / 70.0);
    });
    for (Point p : {Point{30, 74}, Point{60, 26}}) {
        paint::FillEllipse(c, p.x, p.y, 3, 3, Solid{Rgb(90, 90, 100)});
        paint::FillEllipse(c, p.x - 0.8, p.y - 0.8, 1.2, 1.2, Solid{Rgb(210, 210, 220)});
    }
    return c;
}

Canvas CoinPile()
{
    Canvas c(kItemSize, kItemSize);
    Rgba gold = Rgb(240, 190, 50);
    auto coin = [&](double cx, double cy) {
        paint::FillEllipse(c, cx, cy + 3, 15, 6, Solid{kInk}, kLine);
        paint::FillEllipse(c, cx, cy + 3, 15, 6, Solid{paint::Scale(gold, 0.75)});
        paint::FillEllipse(c, cx, cy, 15, 6, Solid{kInk}, kLine);
        paint::FillEllipse(c, cx, cy, 15, 6, Ball{cx, cy, 15, gold});
        paint::FillEllipse(c, cx, cy, 9, 3.4, Solid{paint::Scale(gold, 0.86)});
    };
    for (int i = 0; i < 5; ++i) {
        coin(36, 88 - i * 6.0);
    }
    for (int i = 0; i < 3; ++i) {
        coin(62, 90 - i * 6.0);
    }
    coin(50, 92);
    return c;
}

Canvas Nightcap()
{
    Canvas c(kItemSize, kItemSize);
    paint::FillRoundRect(c, 8, 62, 88, 94, 14, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 8, 62, 88, 94, 14, [](int x, int y) {
        return paint::Scale(Rgb(200, 220, 250), 1.08 - 0.2 * (x - 8) / 80.0 - 0.15 * (y - 62) / 32.0);
    });
    std::vector<Point> cap = {{22, 70}, {66, 70}, {60, 44}, {34, 30}};
    paint::FillConvex(c, cap, Solid{kInk}, kLine);
    paint::FillConvex(c, cap, [](int x, int y) { return ((x + y) / 7) % 2 ? Rgb(70, 100, 190) : Rgb(240, 240, 250); });
    Ellipse(c, 34, 30, 7, 7, Rgb(250, 250, 250));
    paint::FillRoundRect(c, 20, 66, 68, 74, 3, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 20, 66, 68, 74, 3, Solid{Rgb(240, 240, 250)});
    // Three small "z" strokes rising to the right.
    const double zs[3][3] = {{70, 40, 6}, {78, 26, 5}, {84, 14, 4}};
    for (const auto& z : zs) {
        double x = z[0], y = z[1], s = z[2];
        Point a{x - s, y - s}, b{x + s, y - s}, d{x - s, y + s}, e{x + s, y + s};
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, d}, std::pair{d, e}}) {
            paint::FillCapsule(c, from, to, 2.2, Solid{kInk});
            paint::FillCapsule(c, from, to, 1.2, Solid{Rgb(250, 250, 255)});
        }
    }
    return c;
}

Canvas WingedBoot()
{
    Canvas c(kItemSize, kItemSize);
    Rgba green = Rgb(60, 160, 80);
    // The wing behind the boot, feathers fanning back.
    for (int i = 0; i < 3; ++i) {
        double y = 30 + i * 10;
        paint::FillEllipse(c, 22 - i * 2, y, 18 - i * 2, 6, Solid{kInk}, kLine);
        paint::FillEllipse(c, 22 - i * 2, y, 18 - i * 2, 6, Ball{22.0 - i * 2, y, 18, Rgb(250, 250, 246)});
    }
    paint::FillRoundRect(c, 30, 20, 56, 78, 8, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 30, 62, 86, 92, 13, Solid{kInk}, kLine);
    auto shade = [&](int x, int y) {
        return paint::Scale(green, 1.15 - 0.3 * (x - 30) / 56.0 - 0.1 * (y - 20) / 72.0);
    };
    paint::FillRoundRect(c, 30, 20, 56, 78, 8, shade);
    paint::FillRoundRect(c, 30, 62, 86, 92, 13, shade);
    paint::FillRoundRect(c, 28, 16, 58, 26, 4, Solid{kInk}, kLine);
    paint::FillRoundRect(c, 28, 16, 58, 26, 4, Solid{Rgb(240, 200, 70)});
    paint::FillRoundRect(c, 30, 86, 86, 94, 4, Solid{Rgb(100, 70, 40)});
    return c;
}

Canvas Snail()
{
    Canvas c(kItemSize, kItemSize);
    Rgba body = Rgb(200, 190, 140);
    std::vector<Point> foot = {{8, 94}, {86, 94}, {88, 84}, {70, 78}, {12, 84}};
    paint::FillConvex(c, foot, Solid{kInk}, kLine);
    paint::FillConvex(c, foot, Solid{body});
    Stick(c, {76, 82}, {70, 56}, 3.0, body);
    Stick(c, {80, 82}, {86, 58}, 3.0, body);
    paint::FillEllipse(c, 70, 55, 4, 4, Solid{Rgb(40, 40, 50)});
    paint::FillEllipse(c, 86, 57, 4, 4, Solid{Rgb(40, 40, 50)});
    Ellipse(c, 42, 60, 30, 28, Rgb(220, 130, 60));
    for (double t = 0; t < 3.0 * kPi; t += 0.07) {
        double r = 24 - t * 2.3;
        paint::FillEllipse(c, 42 + std::cos(t) * r, 60 + std::sin(t) * r * 0.93, 1.6, 1.6, Solid{Rgb(140, 70, 30)});
    }
    return c;
}

Canvas Antler()
{
    Canvas c(kItemSize, kItemSize);
    Rgba horn = Rgb(232, 212, 170);
    // A shield-shaped wall plaque with the antlers curving up and out of a small boss.
    std::vector<Point> plaque = {{22, 62}, {74, 62}, {74, 80}, {48, 95}, {22, 80}};
    paint::FillConvex(c, plaque, Solid{kInk}, kLine);
    paint::FillConvex(c, plaque, [](int x, int y) {
        return paint::Scale(Rgb(140, 88, 48), 1.15 - 0.3 * (x - 22) / 52.0 - 0.1 * (y - 62) / 33.0);
    });
    paint::FillConvex(c, {{26, 65}, {70, 65}, {70, 68}, {26, 68}}, Solid{Rgb(186, 130, 80)});
    for (double side : {-1.0, 1.0}) {
        Point root{48 + side * 7, 64};
        Point bend{48 + side * 30, 50};
        Point tip{48 + side * 34, 12};
        Stick(c, root, bend, 4.4, horn);
        Stick(c, bend, tip, 3.6, horn);
        Stick(c, {48 + side * 32, 34}, {48 + side * 40, 25}, 2.8, horn);
        Stick(c, {48 + side * 31, 42}, {48 + side * 18, 26}, 2.8, horn);
        Stick(c, {48 + side * 20, 56}, {48 + side * 14, 42}, 2.6, horn);
    }
    Ellipse(c, 48, 66, 11, 8, Rgb(150, 110, 76));
    return c;
}

Canvas BombFrame(int frame)
{
    Canvas c(kBombCell, kBombCell);
    const double cx = kBombCell / 2.0;
    const double base = kBombCell - 1;
    constexpr int kBlast = 6;
    if (frame < kBlast) {
        double fuse = 1.0 - frame / static_cast<double>(kBlast);
        double glow = frame >= 3 ? (frame % 2 ? 0.55 : 0.25) : 0.0;
        PaintBomb(c, cx, base, fuse, glow);
        return c;
    }
    double t = (frame - kBlast) / static_cast<double>(kBombFrames - 1 - kBlast);
    double cy = base - 60;
    double fire = std::max(0.0, 1.0 - t * 1.6);
    double smoke = std::min(1.0, t * 1.8);
    if (smoke > 0.0) {
        SmokePuffs(c, cx, cy - 20 * t, 20 + 50 * smoke, 14 + 16 * smoke * (1.0 - 0.5 * t),
                   paint::Mix(Rgb(150, 146, 140), Rgb(210, 206, 200), t), 40 + frame);
    }
    if (fire > 0.0) {
        double size = 44 + 40 * std::sqrt(t * 3.0 + 0.2);
        double turn = frame * 0.37;
        Burst(c, cx, cy, size * 0.62 * fire + 6, size * fire + 10, 14, Rgb(200, 60, 30), turn);
        Burst(c, cx, cy, size * 0.48 * fire + 4, size * 0.8 * fire + 6, 12, Rgb(250, 140, 40), turn + 0.2);
        Burst(c, cx, cy, size * 0.32 * fire + 2, size * 0.52 * fire + 3, 10, Rgb(255, 220, 90), turn + 0.4);
        paint::FillEllipse(c, cx, cy, size * 0.22 * fire + 2, size * 0.2 * fire + 2, Solid{Rgb(255, 252, 230)});
    }
    return c;
}

}  // namespace item_pictures
