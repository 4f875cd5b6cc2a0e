#include "screens/DwarfPainter.h"

#include <cmath>
#include <vector>

#include "paint/Colour.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"

namespace dwarf_painter {
namespace {

using paint::Point;
using paint::Rgb;
using paint::Solid;

constexpr Rgba kHood{214, 38, 34, 255};
constexpr Rgba kBobble{244, 200, 60, 255};
constexpr Rgba kTunic{244, 186, 52, 255};
constexpr Rgba kTrim{180, 40, 36, 255};
constexpr Rgba kBeard{246, 240, 226, 255};
constexpr Rgba kTrousers{64, 92, 170, 255};
constexpr Rgba kSkin{242, 184, 146, 255};
constexpr Rgba kCheek{238, 142, 118, 255};
constexpr Rgba kBoot{92, 60, 40, 255};
constexpr Rgba kBoard{206, 150, 86, 255};
constexpr Rgba kInk = paint::kOutline;

// Local coordinates: origin at the feet, y up in units of a 200-unit tall dwarf.
struct Frame {
    double x, y, s;
    Point operator()(double u, double v) const { return {x + u * s, y - v * s}; }
    double operator()(double length) const { return length * s; }
};

struct Lit {
    Point centre;
    double radius;
    Rgba colour;
    Rgba operator()(int x, int y) const
    {
        double nx = (x + 0.5 - centre.x) / radius;
        double ny = (y + 0.5 - centre.y) / radius;
        return paint::Scale(colour, 1.1 - 0.2 * nx - 0.18 * ny);
    }
};

void Blob(Canvas& c, Point p, double rx, double ry, Rgba colour, double line)
{
    paint::FillEllipse(c, p.x, p.y, rx, ry, Solid{kInk}, line);
    paint::FillEllipse(c, p.x, p.y, rx, ry, Lit{p, std::max(rx, ry), colour});
}

void Limb(Canvas& c, Point a, Point b, double radius, Rgba colour, double line)
{
    paint::FillCapsule(c, a, b, radius, Solid{kInk}, line);
    paint::FillCapsule(c, a, b, radius, Lit{{(a.x + b.x) / 2, (a.y + b.y) / 2}, radius * 2, colour});
}

void Plank(Canvas& c, Point a, Point b, double width, double line)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double length = std::hypot(dx, dy);
    double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    std::vector<Point> quad = {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
    paint::FillConvex(c, quad, Solid{kInk}, line);
    paint::FillConvex(c, quad, [&](int x, int y) {
        double along = ((x - a.x) * dx + (y - a.y) * dy) / (length * length);
        double grain = std::sin(along * 40.0 + x * 0.05) * 0.05;
        return paint::Scale(kBoard, 1.05 + grain);
    });
}

void PaintBody(Canvas& c, const Frame& f, double line)
{
    Blob(c, f(-18, 6), f(17), f(9), kBoot, line);
    Blob(c, f(18, 6), f(17), f(9), kBoot, line);
    Limb(c, f(-14, 14), f(-13, 40), f(10), kTrousers, line);
    Limb(c, f(14, 14), f(13, 40), f(10), kTrousers, line);
    std::vector<Point> tunic = {f(-38, 34), f(38, 34), f(28, 112), f(-28, 112)};
    paint::FillConvex(c, tunic, Solid{kInk}, line);
    paint::FillConvex(c, tunic, Lit{f(0, 80), f(50), kTunic});
    paint::FillConvex(c, {f(-38, 34), f(38, 34), f(37, 42), f(-37, 42)}, Solid{kTrim});
    paint::FillRoundRect(c, f(-34, 0).x, f(0, 66).y, f(34, 0).x, f(0, 56).y, f(2), Solid{Rgb(110, 70, 40)});
    paint::FillRoundRect(c, f(-8, 0).x, f(0, 68).y, f(8, 0).x, f(0, 54).y, f(2), Solid{Rgb(240, 200, 70)});
}

void PaintHead(Canvas& c, const Frame& f, double line)
{
    Point face = f(0, 136);
    // Beard below and around the chin, reaching to the belt.
    std::vector<Point> beard = {f(-26, 132), f(26, 132), f(12, 74), f(0, 66), f(-12, 74)};
    paint::FillConvex(c, beard, Solid{kInk}, line);
    Blob(c, f(0, 118), f(28), f(24), kBeard, line);
    paint::FillConvex(c, beard, Lit{f(0, 100), f(40), kBeard});
    paint::FillEllipse(c, face.x, face.y, f(26), f(24), Solid{kInk}, line);
    paint::FillEllipse(c, face.x, face.y, f(26), f(24), Lit{face, f(26), kSkin});
    paint::FillEllipse(c, f(0, 118).x, f(0, 118).y, f(28) - 0.5, f(24) - 0.5, Lit{f(0, 118), f(28), kBeard});
    // Moustache, nose, cheeks, eyes.
    Blob(c, f(-10, 126), f(12), f(6), kBeard, line * 0.8);
    Blob(c, f(10, 126), f(12), f(6), kBeard, line * 0.8);
    paint::FillEllipse(c, f(-15, 134).x, f(-15, 134).y, f(6), f(4), Solid{paint::WithAlpha(kCheek, 0.8)});
    paint::FillEllipse(c, f(15, 134).x, f(15, 134).y, f(6), f(4), Solid{paint::WithAlpha(kCheek, 0.8)});
    Blob(c, f(0, 131), f(8), f(7), paint::Scale(kSkin, 0.98), line * 0.8);
    for (double side : {-1.0, 1.0}) {
        Point eye = f(side * 11, 139);
        paint::FillEllipse(c, eye.x, eye.y, std::max(1.6, f(4.0)), std::max(2.0, f(5.0)), Solid{Rgb(40, 30, 30)});
        paint::FillEllipse(c, eye.x - f(1), eye.y - f(1.5), f(1.2), f(1.2), Solid{Rgb(255, 255, 255)});
        paint::FillCapsule(c, f(side * 5, 146.5), f(side * 15, 145.5), f(1.8), Solid{Rgb(230, 225, 215)});
    }
    // Pointed hood with a brim, the tip bent to the side with the bobble.
    std::vector<Point> hood = {f(-30, 150), f(30, 150), f(14, 196), f(-6, 200)};
    std::vector<Point> tip = {f(14, 196), f(-6, 200), f(26, 214), f(34, 206)};
    for (const auto* part : {&hood, &tip}) {
        paint::FillConvex(c, *part, Solid{kInk}, line);
    }
    paint::FillConvex(c, hood, Lit{f(0, 170), f(40), kHood});
    paint::FillConvex(c, tip, Lit{f(20, 205), f(20), kHood});
    paint::FillRoundRect(c, f(-32, 0).x, f(0, 160).y, f(32, 0).x, f(0, 149).y, f(6), Solid{kInk}, line);
    paint::FillRoundRect(c, f(-32, 0).x, f(0, 160).y, f(32, 0).x, f(0, 149).y, f(6), Solid{paint::Scale(kHood, 0.85)});
    Blob(c, f(34, 208), f(8), f(8), kBobble, line);
}

}  // namespace

void PaintDwarf(Canvas& canvas, double x, double y, double scale, Pose pose)
{
    Frame f{x, y, scale};
    double line = std::max(1.0, 1.6 * scale);
    if (pose == Pose::kWaving) {
        Plank(canvas, f(-56, 0), f(-46, 120), f(18), line);
    }
    PaintBody(canvas, f, line);
    switch (pose) {
    case Pose::kCarrying:
        Limb(canvas, f(-34, 100), f(-40, 64), f(9), kTunic, line);
        Blob(canvas, f(-40, 60), f(8), f(8), kSkin, line);
        Plank(canvas, f(16, 96), f(100, 182), f(18), line);
        break;
    case Pose::kCheering:
        Limb(canvas, f(-34, 100), f(-46, 150), f(9), kTunic, line);
        Limb(canvas, f(34, 100), f(46, 150), f(9), kTunic, line);
        break;
    case Pose::kWaving:
        Limb(canvas, f(-34, 100), f(-48, 110), f(9), kTunic, line);
        Blob(canvas, f(-50, 112), f(8), f(8), kSkin, line);
        Limb(canvas, f(34, 100), f(58, 148), f(9), kTunic, line);
        break;
    }
    PaintHead(canvas, f, line);
    if (pose == Pose::kCarrying) {
        Limb(canvas, f(34, 100), f(50, 124), f(9), kTunic, line);
        Blob(canvas, f(52, 128), f(8), f(8), kSkin, line);
    } else if (pose == Pose::kCheering) {
        Plank(canvas, f(-66, 166), f(66, 166), f(18), line);
        Blob(canvas, f(-46, 156), f(8), f(8), kSkin, line);
        Blob(canvas, f(46, 156), f(8), f(8), kSkin, line);
    } else {
        Blob(canvas, f(60, 152), f(9), f(9), kSkin, line);
    }
}

}  // namespace dwarf_painter
