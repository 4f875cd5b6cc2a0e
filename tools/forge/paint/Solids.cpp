#include "paint/Solids.h"

#include <algorithm>
#include <cmath>

#include "paint/SeededRandom.h"

namespace paint {
namespace {

// Light from the upper left: a surface turned to the left (nx = -1) is brightest.
double SideLight(double nx) { return 0.78 - 0.3 * nx; }

}  // namespace

void PaintCylinder(Canvas& canvas, double cx, double baseY, double rx, double ry, double height, Rgba side, Rgba top,
                   double outline)
{
    auto sideShader = [&](int x, int) {
        double nx = std::clamp((x + 0.5 - cx) / rx, -1.0, 1.0);
        return Scale(side, SideLight(nx));
    };
    auto body = [&](auto shader, double grow) {
        FillEllipse(canvas, cx, baseY, rx, ry, shader, grow);
        FillConvex(canvas, {{cx - rx, baseY}, {cx + rx, baseY}, {cx + rx, baseY - height}, {cx - rx, baseY - height}},
                   shader, grow);
        FillEllipse(canvas, cx, baseY - height, rx, ry, shader, grow);
    };
    body(Solid{kOutline}, outline);
    body(sideShader, 0.0);
    auto topShader = [&](int x, int y) {
        double nx = (x + 0.5 - cx) / rx;
        double ny = (y + 0.5 - (baseY - height)) / ry;
        return Scale(top, 1.08 - 0.12 * nx - 0.08 * ny);
    };
    FillEllipse(canvas, cx, baseY - height, rx - 0.6, ry - 0.6, Solid{Scale(top, 0.7)}, 0.0);
    FillEllipse(canvas, cx, baseY - height, rx - 1.6, ry - 1.4, topShader, 0.0);
}

void PaintLog(Canvas& canvas, double left, double right, double centreY, double radius, Rgba bark, Rgba wood,
              double outline)
{
    double capRx = radius * 0.45;
    auto barkShader = [&](int x, int y) {
        double ny = std::clamp((y + 0.5 - centreY) / radius, -1.0, 1.0);
        double grain = ((x * 7 + y * 3) % 11 == 0) ? 0.85 : 1.0;
        return Scale(bark, (0.95 - 0.35 * ny) * grain);
    };
    auto body = [&](auto shader, double grow) {
        FillEllipse(canvas, left, centreY, capRx, radius, shader, grow);
        FillConvex(
            canvas,
            {{left, centreY - radius}, {right, centreY - radius}, {right, centreY + radius}, {left, centreY + radius}},
            shader, grow);
    };
    body(Solid{kOutline}, outline);
    body(barkShader, 0.0);
    FillEllipse(canvas, right, centreY, capRx, radius, Solid{kOutline}, outline);
    auto ringShader = [&](int x, int y) {
        double dx = (x + 0.5 - right) / capRx;
        double dy = (y + 0.5 - centreY) / radius;
        double r = std::sqrt(dx * dx + dy * dy);
        double ring = 0.5 + 0.5 * std::cos(r * 18.0);
        return Scale(wood, 1.05 - 0.12 * ring - 0.1 * dy);
    };
    FillEllipse(canvas, right, centreY, capRx, radius, ringShader, 0.0);
}

void PaintBox(Canvas& canvas, const Point floor[4], double height, Rgba colour, double outline)
{
    auto raised = [height](Point p) { return Point{p.x, p.y - height}; };
    std::vector<Point> topFace = {raised(floor[0]), raised(floor[1]), raised(floor[2]), raised(floor[3])};
    std::vector<Point> front = {floor[3], floor[2], raised(floor[2]), raised(floor[3])};
    std::vector<Point> right = {floor[2], floor[1], raised(floor[1]), raised(floor[2])};
    std::vector<Point> left = {floor[0], floor[3], raised(floor[3]), raised(floor[0])};
    for (const auto* face : {&topFace, &front, &right, &left}) {
        FillConvex(canvas, *face, Solid{kOutline}, outline);
    }
    // The side that faces the viewer across the vanishing lines: right of centre shows its left face.
    if (floor[0].x > floor[3].x) {
        FillConvex(canvas, left, Solid{Scale(colour, 1.0)}, 0.0);
    }
    if (floor[1].x < floor[2].x) {
        FillConvex(canvas, right, Solid{Scale(colour, 0.62)}, 0.0);
    }
    FillConvex(canvas, front, Solid{Scale(colour, 0.8)}, 0.0);
    FillConvex(canvas, topFace, Solid{Scale(colour, 1.12)}, 0.0);
}

void PaintFoliage(Canvas& canvas, double cx, double cy, double rx, double ry, Rgba base, unsigned seed, double outline)
{
    SeededRandom random(seed);
    struct Ball {
        double x, y, r;
    };
    std::vector<Ball> balls;
    int count = std::clamp(static_cast<int>(rx * ry / 90.0), 5, 60);
    double ballRadius = std::max(4.0, std::min(rx, ry) * 0.45);
    for (int i = 0; i < count; ++i) {
        double angle = random.Range(0.0, 6.2831853);
        double distance = std::sqrt(random.Unit());
        double r = ballRadius * random.Range(0.7, 1.1);
        balls.push_back({cx + std::cos(angle) * distance * (rx - r), cy + std::sin(angle) * distance * (ry - r), r});
    }
    // Back to front (top to bottom) so lower clumps overlap the higher ones.
    std::sort(balls.begin(), balls.end(), [](const Ball& a, const Ball& b) { return a.y < b.y; });
    for (const Ball& ball : balls) {
        FillEllipse(canvas, ball.x, ball.y, ball.r, ball.r * 0.9, Solid{Scale(kOutline, 0.9)}, outline);
    }
    for (const Ball& ball : balls) {
        double depth = (ball.y - (cy - ry)) / (2.0 * ry);
        auto shader = [&](int x, int y) {
            double nx = (x + 0.5 - ball.x) / ball.r;
            double ny = (y + 0.5 - ball.y) / ball.r;
            double light = 1.08 - 0.28 * nx - 0.32 * ny + 0.1 * (1.0 - depth);
            return Scale(base, light * (0.8 + 0.2 * (1.0 - depth)));
        };
        FillEllipse(canvas, ball.x, ball.y, ball.r, ball.r * 0.9, shader, 0.0);
    }
}

}  // namespace paint
