#include "board/BoardBackdrop.h"

#include <cmath>

#include "board/BoardLayout.h"
#include "paint/Colour.h"
#include "paint/SeededRandom.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"
#include "paint/ValueNoise.h"

namespace board {
namespace {

using paint::Point;
using paint::Rgb;
using paint::Solid;

constexpr Rgba kStone{196, 184, 160, 255};
constexpr Rgba kMortar{150, 136, 114, 255};
constexpr Rgba kTimber{112, 74, 44, 255};
constexpr Rgba kPlaster{240, 226, 196, 255};
constexpr Rgba kRoof{186, 82, 52, 255};
constexpr Rgba kWood{150, 100, 58, 255};
constexpr int kWallTop = 206;
constexpr int kWallBase = 292;

// Rough stone blocks in running bond between left/right and top/bottom.
void PaintMasonry(Canvas& canvas, int left, int top, int right, int bottom, unsigned seed)
{
    ValueNoise noise(seed);
    paint::FillConvex(canvas,
                      {{double(left), double(top)},
                       {double(right), double(top)},
                       {double(right), double(bottom)},
                       {double(left), double(bottom)}},
                      Solid{kMortar});
    const int rowHeight = 14;
    for (int y = top; y < bottom; y += rowHeight) {
        int course = (y - top) / rowHeight;
        int offset = (course % 2) * 14;
        for (int x = left - offset; x < right; x += 28) {
            double shade = 0.9 + 0.18 * noise.At(x * 0.13, y * 0.13);
            double x0 = std::max<double>(x + 1, left);
            double x1 = std::min<double>(x + 27, right);
            double y0 = y + 1;
            double y1 = std::min<double>(y + rowHeight - 1, bottom);
            if (x1 - x0 < 2 || y1 - y0 < 2) {
                continue;
            }
            auto shader = [&](int px, int py) {
                double lit = (px - x0 < 2 || py - y0 < 2) ? 1.12 : ((x1 - px < 2 || y1 - py < 2) ? 0.82 : 1.0);
                return paint::Scale(kStone, shade * lit);
            };
            paint::FillRoundRect(canvas, x0, y0, x1, y1, 2.0, shader);
        }
    }
}

void PaintWall(Canvas& canvas)
{
    PaintMasonry(canvas, 250, kWallTop, canvas.Width(), kWallBase, 5);
    // Coping along the top, lit from above.
    paint::FillRoundRect(canvas, 246, kWallTop - 8, canvas.Width() + 4, kWallTop + 2, 3.0, Solid{paint::kOutline}, 1.0);
    paint::FillRoundRect(canvas, 246, kWallTop - 8, canvas.Width() + 4, kWallTop + 2, 3.0,
                         Solid{paint::Scale(kStone, 1.1)});
    // Shade at the foot where the wall meets the ground.
    for (int y = kWallBase - 10; y < kWallBase; ++y) {
        for (int x = 250; x < canvas.Width(); ++x) {
            canvas.Blend(x, y, Rgb(60, 45, 30, (y - (kWallBase - 10)) * 9));
        }
    }
}

void PaintDoor(Canvas& canvas)
{
    double left = kDoorLeft;
    double right = kDoorRight;
    double top = kDoorTop;
    double bottom = kWallBase - 1;
    double archCentre = top + (right - left) / 2.0;
    // Stone arch around the door.
    paint::FillEllipse(canvas, (left + right) / 2, archCentre, (right - left) / 2 + 7, (right - left) / 2 + 7,
                       Solid{paint::Scale(kStone, 1.05)}, 1.0);
    paint::FillRoundRect(canvas, left - 7, archCentre, right + 7, bottom, 0.0, Solid{paint::Scale(kStone, 1.05)}, 1.0);
    paint::FillEllipse(canvas, (left + right) / 2, archCentre, (right - left) / 2 + 7, (right - left) / 2 + 7,
                       Solid{paint::Scale(kStone, 1.05)});
    paint::FillRoundRect(canvas, left - 7, archCentre, right + 7, bottom, 0.0, Solid{paint::Scale(kStone, 1.05)});
    auto plank = [&](int x, int y) {
        int board = static_cast<int>((x - left) / 10.0);
        double seam = std::fmod(x - left, 10.0) < 1.2 ? 0.7 : 1.0;
        return paint::Scale(kWood, (0.92 + 0.06 * (board % 3)) * seam * (1.05 - 0.15 * (y - top) / (bottom - top)));
    };
    paint::FillEllipse(canvas, (left + right) / 2, archCentre, (right - left) / 2, (right - left) / 2,
                       Solid{paint::kOutline}, 1.2);
    paint::FillRoundRect(canvas, left, archCentre, right, bottom, 0.0, Solid{paint::kOutline}, 1.2);
    paint::FillEllipse(canvas, (left + right) / 2, archCentre, (right - left) / 2, (right - left) / 2, plank);
    paint::FillRoundRect(canvas, left, archCentre, right, bottom, 0.0, plank);
    for (double y : {archCentre + 8, bottom - 18}) {
        paint::FillRoundRect(canvas, left + 2, y, right - 2, y + 4, 1.0, Solid{Rgb(70, 66, 64)});
    }
    paint::FillEllipse(canvas, right - 10, (archCentre + bottom) / 2 + 4, 3, 3, Solid{Rgb(200, 170, 60)}, 0.0);
}

void PaintThrone(Canvas& canvas)
{
    // Balcony over the door: a stone ledge with a red cloth, the seat standing on it.
    const double floorY = 200;
    PaintMasonry(canvas, 440, 150, 640, kWallTop, 8);
    paint::FillRoundRect(canvas, 436, floorY - 2, 644, floorY + 8, 2.0, Solid{paint::kOutline}, 1.0);
    paint::FillRoundRect(canvas, 436, floorY - 2, 644, floorY + 8, 2.0, Solid{paint::Scale(kStone, 1.12)});
    // Battlements.
    for (int x = 440; x < 640; x += 40) {
        paint::FillRoundRect(canvas, x, 134, x + 24, 152, 2.0, Solid{paint::kOutline}, 1.0);
        paint::FillRoundRect(canvas, x, 134, x + 24, 152, 2.0, Solid{paint::Scale(kStone, 1.08)});
    }
    // Banners either side.
    for (double x : {452.0, 604.0}) {
        paint::FillConvex(canvas, {{x, 156}, {x + 24, 156}, {x + 24, 196}, {x + 12, 188}, {x, 196}},
                          Solid{paint::kOutline}, 1.2);
        paint::FillConvex(canvas, {{x, 156}, {x + 24, 156}, {x + 24, 196}, {x + 12, 188}, {x, 196}},
                          Solid{Rgb(40, 90, 170)});
        paint::FillEllipse(canvas, x + 12, 170, 5, 5, Solid{Rgb(240, 200, 70)});
    }
    // The seat: a high carved back and cushion, where the queen sits (top-left kQueenX, kQueenY).
    const double seatLeft = kQueenX + 10;
    const double seatRight = kQueenX + 80;
    paint::FillRoundRect(canvas, seatLeft, kQueenY - 6, seatRight, floorY, 10.0, Solid{paint::kOutline}, 1.2);
    auto gilt = [&](int x, int) {
        return paint::Scale(Rgb(214, 170, 64), 1.12 - 0.3 * (x - seatLeft) / (seatRight - seatLeft));
    };
    paint::FillRoundRect(canvas, seatLeft, kQueenY - 6, seatRight, floorY, 10.0, gilt);
    paint::FillRoundRect(canvas, seatLeft + 8, kQueenY + 4, seatRight - 8, floorY - 22, 8.0, Solid{Rgb(170, 36, 48)});
    paint::FillRoundRect(canvas, seatLeft - 4, floorY - 26, seatRight + 4, floorY - 14, 4.0, Solid{paint::kOutline},
                         1.0);
    paint::FillRoundRect(canvas, seatLeft - 4, floorY - 26, seatRight + 4, floorY - 14, 4.0, Solid{Rgb(196, 48, 58)});
    paint::FillEllipse(canvas, (seatLeft + seatRight) / 2, kQueenY - 8, 9, 7, Solid{paint::kOutline}, 1.2);
    paint::FillEllipse(canvas, (seatLeft + seatRight) / 2, kQueenY - 8, 9, 7, Solid{Rgb(240, 200, 70)});
}

void PaintHouse(Canvas& canvas)
{
    // Half-timbered front between x 12 and 276, eaves at 188, ridge at 118.
    const double left = 12, right = 276, eaves = 188, base = 300;
    paint::FillRoundRect(canvas, left, eaves, right, base, 0.0, Solid{paint::kOutline}, 1.2);
    auto plaster = [&](int x, int y) {
        return paint::Scale(kPlaster, 1.04 - 0.12 * (x - left) / (right - left) - 0.04 * (y - eaves) / (base - eaves));
    };
    paint::FillRoundRect(canvas, left, eaves, right, base, 0.0, plaster);
    for (double x : {left, 74.0, 142.0, 206.0, right - 8}) {
        paint::FillRoundRect(canvas, x, eaves, x + 8, base, 0.0, Solid{kTimber});
    }
    paint::FillRoundRect(canvas, left, 238, right, 246, 0.0, Solid{kTimber});
    paint::FillCapsule(canvas, {82, 246}, {142, 296}, 3.0, Solid{kTimber});
    paint::FillCapsule(canvas, {206, 246}, {150, 296}, 3.0, Solid{kTimber});
    // Windows with flower boxes, lit glass from the upper left.
    for (double x : {30.0, 222.0}) {
        paint::FillRoundRect(canvas, x, 200, x + 36, 232, 3.0, Solid{paint::kOutline}, 1.2);
        auto glass = [&](int px, int py) {
            return paint::Mix(Rgb(190, 226, 240), Rgb(90, 130, 170), ((px - x) + (py - 200)) / 60.0);
        };
        paint::FillRoundRect(canvas, x, 200, x + 36, 232, 3.0, glass);
        paint::FillRoundRect(canvas, x + 16, 200, x + 20, 232, 0.0, Solid{kTimber});
        paint::FillRoundRect(canvas, x - 2, 232, x + 38, 240, 2.0, Solid{Rgb(140, 90, 50)}, 0.0);
        for (int i = 0; i < 5; ++i) {
            paint::FillEllipse(canvas, x + 3 + i * 8, 230, 4, 3.5, Solid{i % 2 ? Rgb(230, 70, 70) : Rgb(250, 210, 70)});
        }
    }
    // Door of the house.
    paint::FillRoundRect(canvas, 156, 250, 196, base, 6.0, Solid{paint::kOutline}, 1.2);
    paint::FillRoundRect(canvas, 156, 250, 196, base, 6.0, Solid{paint::Scale(kWood, 0.9)});
    // Roof: tiles in rows, darker toward the eaves' shadow.
    std::vector<Point> roof = {{0, eaves + 4}, {288, eaves + 4}, {258, 118}, {30, 118}};
    paint::FillConvex(canvas, roof, Solid{paint::kOutline}, 1.4);
    auto tiles = [&](int x, int y) {
        double row = std::fmod(y - 118.0, 10.0);
        double column = std::fmod(x + (static_cast<int>((y - 118) / 10) % 2) * 7.0, 14.0);
        double edge = (row < 1.5 || column < 1.2) ? 0.78 : 1.0;
        return paint::Scale(kRoof, edge * (1.1 - 0.25 * (x / 288.0)));
    };
    paint::FillConvex(canvas, roof, tiles);
    // Chimney standing through the roof.
    const double chimneyLeft = kChimneyTopX - 15, chimneyRight = kChimneyTopX + 15;
    paint::FillRoundRect(canvas, chimneyLeft, kChimneyTopY, chimneyRight, 150, 0.0, Solid{paint::kOutline}, 1.2);
    PaintMasonry(canvas, static_cast<int>(chimneyLeft), kChimneyTopY, static_cast<int>(chimneyRight), 150, 11);
    paint::FillRoundRect(canvas, chimneyLeft - 4, kChimneyTopY - 4, chimneyRight + 4, kChimneyTopY + 4, 1.0,
                         Solid{paint::kOutline}, 1.0);
    paint::FillRoundRect(canvas, chimneyLeft - 4, kChimneyTopY - 4, chimneyRight + 4, kChimneyTopY + 4, 1.0,
                         Solid{Rgb(150, 140, 128)});
}

}  // namespace

void PaintSky(Canvas& canvas)
{
    for (int y = 0; y < 300 && y < canvas.Height(); ++y) {
        Rgba c = paint::Mix(Rgb(120, 182, 236), Rgb(214, 234, 246), y / 260.0);
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.Set(x, y, c);
        }
    }
    // Clouds only between the dwarf panels and the score, so the HUD stays on calm sky.
    const double clouds[2][2] = {{690, 52}, {400, 120}};
    for (const auto& cloud : clouds) {
        double cx = cloud[0];
        double cy = cloud[1];
        for (int k = 0; k < 5; ++k) {
            paint::FillEllipse(canvas, cx + (k - 2) * 16, cy + (k % 2) * 4, 20 + (k % 3) * 5, 10 + (k % 2) * 3,
                               Solid{Rgb(255, 255, 255, 150)});
        }
    }
}

void PaintForest(Canvas& canvas, double phase)
{
    SeededRandom random(21);
    const Rgba greens[3] = {Rgb(64, 122, 56), Rgb(84, 146, 62), Rgb(52, 108, 60)};
    // Two rows of crowns: the far row paler, the near row larger.
    for (int layer = 0; layer < 2; ++layer) {
        for (double x = -20; x < canvas.Width() + 40;) {
            double width = random.Range(70, 110) * (layer == 0 ? 0.8 : 1.0);
            double height = random.Range(70, 100);
            double sway = std::sin(6.2831853 * (phase + random.Unit())) * (2.0 + layer);
            double cy = (layer == 0 ? 196 : 206) - height * 0.4;
            Rgba colour = greens[random.Below(3)];
            if (layer == 0) {
                colour = paint::Mix(colour, Rgb(150, 190, 170), 0.35);
            }
            paint::PaintFoliage(canvas, x + sway, cy, width * 0.6, height * 0.5, colour,
                                static_cast<unsigned>(x * 13 + layer));
            x += width * 0.75;
        }
    }
}

void PaintBuildings(Canvas& canvas)
{
    PaintWall(canvas);
    PaintThrone(canvas);
    PaintDoor(canvas);
    PaintHouse(canvas);
}

}  // namespace board
