#include "board/BoardAnimations.h"

#include <algorithm>
#include <cmath>

#include "board/BoardBackdrop.h"
#include "board/BoardLayout.h"
#include "paint/Colour.h"
#include "paint/Shapes.h"

namespace board {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kPuffs = 3;

// Left bank of the stream at screen row y: it bends a little, and narrows where the walkable
// cells of the right edge (rows 17 to 21) reach furthest right.
double StreamLeft(double y)
{
    double squeeze = std::clamp(1.0 - std::abs(y - 490.0) / 60.0, 0.0, 1.0);
    return 986.0 + 5.0 * std::sin(y * 0.035) + 22.0 * squeeze * squeeze * (3.0 - 2.0 * squeeze);
}

}  // namespace

void PaintSmoke(Canvas& canvas, double loop)
{
    const double baseX = kChimneyTopX - kChimneyAnim.x;
    const double baseY = kChimneyTopY - kChimneyAnim.y - 4;
    for (int i = 0; i < kPuffs; ++i) {
        double t = std::fmod(loop + static_cast<double>(i) / kPuffs, 1.0);
        double radius = 6.0 + 13.0 * std::sin(kPi * std::pow(t, 0.7));
        double x = baseX + 24.0 * t + 3.0 * std::sin(t * 7.0);
        double y = baseY - t * (baseY - 14.0);
        if (radius < 1.5) {
            continue;
        }
        // Each puff is a little cloud of three balls, lit from the upper left.
        const double lobes[3][3] = {{-0.45, 0.15, 0.62}, {0.45, 0.2, 0.58}, {0.0, -0.25, 0.7}};
        for (const auto& lobe : lobes) {
            paint::FillEllipse(canvas, x + lobe[0] * radius, y + lobe[1] * radius, lobe[2] * radius,
                               lobe[2] * radius * 0.9, paint::Solid{paint::Rgb(128, 126, 132)}, 1.2);
        }
        for (const auto& lobe : lobes) {
            double cx = x + lobe[0] * radius;
            double cy = y + lobe[1] * radius;
            double r = lobe[2] * radius;
            auto shader = [&](int px, int py) {
                double nx = (px + 0.5 - cx) / r;
                double ny = (py + 0.5 - cy) / r;
                return paint::Scale(paint::Rgb(226, 226, 232), 1.06 - 0.14 * nx - 0.16 * ny);
            };
            paint::FillEllipse(canvas, cx, cy, r, r * 0.9, shader);
        }
    }
}

void PaintStreamBanks(Canvas& canvas)
{
    for (int y = 284; y < canvas.Height(); ++y) {
        double left = StreamLeft(y);
        for (int x = static_cast<int>(left) - 6; x < canvas.Width(); ++x) {
            double d = x + 0.5 - left;
            if (d < -6) {
                continue;
            }
            Rgba mud = d < 0 ? paint::Rgb(150, 116, 76, paint::ClampByte(255 * (1 + d / 6))) : paint::Rgb(90, 70, 50);
            canvas.Blend(x, y, mud);
        }
    }
}

void PaintWater(Canvas& canvas, double loop)
{
    for (int y = 290; y < canvas.Height(); ++y) {
        double left = StreamLeft(y) + 3.0;
        for (int x = static_cast<int>(left); x < canvas.Width(); ++x) {
            double across = (x - left) / (canvas.Width() - left + 1);
            double wave = std::sin((y * 0.22) - loop * 2 * kPi + std::sin(x * 0.3) * 1.5);
            double glint = wave > 0.86 ? 0.35 : 0.0;
            Rgba c = paint::Mix(paint::Rgb(70, 140, 200), paint::Rgb(120, 190, 230), 0.5 + 0.3 * wave * (1 - across));
            c = paint::Mix(c, paint::Rgb(240, 250, 255), glint);
            double edge = std::clamp(x + 0.5 - left, 0.0, 1.0);
            canvas.Blend(x, y, paint::WithAlpha(c, edge));
        }
    }
}

}  // namespace board
