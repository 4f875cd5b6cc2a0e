#include "board/BoardGround.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "board/BoardLayout.h"
#include "paint/Colour.h"
#include "paint/SeededRandom.h"
#include "paint/Shapes.h"
#include "paint/ValueNoise.h"

namespace board {
namespace {

constexpr Rgba kSand{222, 190, 138, 255};
constexpr Rgba kSandDark{196, 160, 108, 255};
constexpr Rgba kTrodden{234, 210, 166, 255};
constexpr Rgba kGrass{118, 170, 64, 255};
constexpr Rgba kGrassDark{84, 138, 50, 255};
constexpr int kGroundTop = 286;

// 1 for courtyard cells, 0 for grass, sampled with bilinear smoothing so the boundary runs
// along the cell edges with rounded corners.
double CourtyardAmount(double columnCells, double rowCells)
{
    double cx = columnCells - 0.5;
    double cy = rowCells - 0.5;
    int x0 = static_cast<int>(std::floor(cx));
    int y0 = static_cast<int>(std::floor(cy));
    double tx = cx - x0;
    double ty = cy - y0;
    auto at = [](int c, int r) {
        if (c < 0 || r < 0 || c >= kCells || r >= kCells) {
            return 0.0;
        }
        return IsGrassCell(c, r) ? 0.0 : 1.0;
    };
    double top = at(x0, y0) * (1 - tx) + at(x0 + 1, y0) * tx;
    double bottom = at(x0, y0 + 1) * (1 - tx) + at(x0 + 1, y0 + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

// Distance in board units from (u, v) to the trodden path that runs from the hunter's door
// down the middle of the courtyard to its front edge.
double PathDistance(double u, double v)
{
    const double path[][2] = {{0.485, 0.0}, {0.52, 0.25}, {0.72, 0.5}, {0.6, 0.72}, {0.45, 1.0}};
    double best = 1.0;
    for (size_t i = 0; i + 1 < std::size(path); ++i) {
        double ax = path[i][0], ay = path[i][1];
        double dx = path[i + 1][0] - ax, dy = path[i + 1][1] - ay;
        double t = std::clamp(((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        best = std::min(best, std::hypot(u - ax - t * dx, v - ay - t * dy));
    }
    return best;
}

Rgba SandAt(const ValueNoise& noise, double u, double v, int x, int y)
{
    double patches = noise.Fractal(u * 6.0, v * 6.0, 3);
    double grain = noise.At(x * 0.9, y * 0.9);
    Rgba c = paint::Mix(kSand, kSandDark, std::clamp((patches - 0.35) * 1.6, 0.0, 1.0));
    double trodden = std::clamp(1.0 - PathDistance(u, v) / 0.05, 0.0, 1.0);
    c = paint::Mix(c, kTrodden, trodden * (0.5 + 0.5 * noise.At(u * 40.0, v * 40.0)));
    return paint::Scale(c, 0.96 + 0.08 * grain);
}

Rgba GrassAt(const ValueNoise& noise, double u, double v, int x, int y)
{
    double patches = noise.Fractal(u * 9.0 + 40.0, v * 9.0, 3);
    double blades = noise.At(x * 0.7, y * 1.6);
    Rgba c = paint::Mix(kGrass, kGrassDark, std::clamp((patches - 0.3) * 1.5, 0.0, 1.0));
    return paint::Scale(c, 0.9 + 0.2 * blades);
}

void PaintPebbles(Canvas& canvas)
{
    SeededRandom random(77);
    for (int i = 0; i < 420; ++i) {
        double u = random.Unit();
        double v = random.Unit();
        int column = static_cast<int>(u * kCells);
        int row = static_cast<int>(v * kCells);
        double size = random.Range(0.6, 1.4);
        Rgba stone = paint::Scale(paint::Rgb(170, 150, 125), random.Range(0.85, 1.1));
        if (IsBlocked(column, row)) {
            continue;
        }
        ScreenPoint p = ProjectExact(u, v);
        double s = FigureScale(v) * size;
        paint::FillEllipse(canvas, p.x + 0.6 * s, p.y + 0.5 * s, 2.2 * s, 1.1 * s,
                           paint::Solid{paint::Rgb(120, 92, 60, 90)});
        paint::FillEllipse(canvas, p.x, p.y, 2.0 * s, 1.1 * s, paint::Solid{stone});
        paint::FillEllipse(canvas, p.x - 0.5 * s, p.y - 0.4 * s, 0.9 * s, 0.5 * s,
                           paint::Solid{paint::Scale(stone, 1.2)});
    }
}

}  // namespace

bool IsGrassCell(int column, int row)
{
    if (!IsBlocked(column, row)) {
        return false;
    }
    return (row <= 7 && column + row <= 7) || column >= 28 || (row >= 21 && column >= 26);
}

void PaintGround(Canvas& canvas)
{
    ValueNoise noise(1234);
    ValueNoise edgeNoise(99);
    for (int y = kGroundTop; y < canvas.Height(); ++y) {
        double row = RowAtScreenY(y + 0.5);
        for (int x = 0; x < canvas.Width(); ++x) {
            double column = ColumnAt(x + 0.5, row);
            double amount = CourtyardAmount(column * kCells, row * kCells);
            double wobble = (edgeNoise.Fractal(column * 20.0, row * 20.0, 2) - 0.5) * 0.5;
            double sandShare = std::clamp((amount - 0.5 + wobble) * 4.0 + 0.5, 0.0, 1.0);
            Rgba c = paint::Mix(GrassAt(noise, column, row, x, y), SandAt(noise, column, row, x, y), sandShare);
            canvas.Set(x, y, c);
        }
    }
    PaintPebbles(canvas);
}

void PaintGroundShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double strength)
{
    auto shader = [&](int x, int y) {
        double dx = (x + 0.5 - cx) / rx;
        double dy = (y + 0.5 - cy) / ry;
        double falloff = std::clamp(1.0 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
        return paint::Rgb(60, 40, 20, paint::ClampByte(255 * strength * std::min(1.0, falloff * 2.5)));
    };
    paint::FillEllipse(canvas, cx, cy, rx, ry, shader);
}

}  // namespace board
