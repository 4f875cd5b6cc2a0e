#include "board/BoardProps.h"

#include <cmath>

#include "board/BoardGround.h"
#include "board/BoardLayout.h"
#include "paint/Colour.h"
#include "paint/SeededRandom.h"
#include "paint/Shapes.h"
#include "paint/Solids.h"

namespace board {
namespace {

using paint::Point;
using paint::Rgb;
using paint::Solid;

constexpr Rgba kPlank{178, 124, 72, 255};
constexpr Rgba kBark{120, 82, 50, 255};
constexpr Rgba kEndGrain{226, 186, 128, 255};
constexpr Rgba kStone{186, 178, 164, 255};
constexpr Rgba kLeaf{80, 150, 60, 255};
// The stream runs right of this; the meadow's tufts stay out of the water.
constexpr double kStreamEdge = 950.0;

// Screen point of a position given in cells.
Point At(double column, double row, double lift = 0.0)
{
    ScreenPoint p = ProjectExact(column / kCells, row / kCells);
    return {p.x, p.y - lift};
}

// Pixels per height unit (a dwarf is 100 units) at a row given in cells.
double Unit(double row) { return FigureScale(row / kCells); }

void FloorCorners(double c0, double r0, double c1, double r1, Point corners[4])
{
    corners[0] = At(c0, r0);
    corners[1] = At(c1, r0);
    corners[2] = At(c1, r1);
    corners[3] = At(c0, r1);
}

void ShadowUnder(Canvas& ground, double c0, double r0, double c1, double r1, double strength = 0.3)
{
    Point a = At(c0, r0);
    Point b = At(c1, r1);
    PaintGroundShadow(ground, (a.x + b.x) / 2 + 6, (a.y + b.y) / 2 + 3, std::abs(b.x - a.x) / 2 + 10,
                      std::abs(b.y - a.y) / 2 + 6, strength);
}

void PaintFlower(Canvas& canvas, double x, double y, double size, Rgba petal)
{
    for (int i = 0; i < 5; ++i) {
        double angle = i * 1.2566;
        paint::FillEllipse(canvas, x + std::cos(angle) * size, y + std::sin(angle) * size * 0.7, size * 0.8, size * 0.6,
                           Solid{petal});
    }
    paint::FillEllipse(canvas, x, y, size * 0.55, size * 0.45, Solid{Rgb(250, 210, 60)});
}

// A raised bed with a plank border, filled with soil.
void PaintBedFrame(Canvas& layer, double c0, double r0, double c1, double r1)
{
    Point floor[4];
    FloorCorners(c0, r0, c1, r1, floor);
    paint::PaintBox(layer, floor, 7.0, kPlank);
    Point inner[4];
    FloorCorners(c0 + 0.35, r0 + 0.3, c1 - 0.35, r1 - 0.25, inner);
    std::vector<Point> soil = {Point{inner[0].x, inner[0].y - 7}, Point{inner[1].x, inner[1].y - 7},
                               Point{inner[2].x, inner[2].y - 7}, Point{inner[3].x, inner[3].y - 7}};
    paint::FillConvex(layer, soil, Solid{Rgb(110, 74, 46)});
}

}  // namespace

void PaintHouseGarden(Canvas& ground, Canvas& layer)
{
    // Flower patch on the back-left triangle with a low hedge along its diagonal edge.
    SeededRandom random(11);
    for (int i = 0; i < 70; ++i) {
        double row = random.Range(0.2, 7.0);
        double column = random.Range(0.0, 7.6 - row);
        Point p = At(column, row);
        const Rgba colours[3] = {Rgb(236, 90, 110), Rgb(250, 220, 90), Rgb(170, 120, 220)};
        PaintFlower(ground, p.x, p.y, 2.2 * Unit(row), colours[random.Below(3)]);
    }
    Point from = At(8.2, 0.0);
    Point to = At(0.0, 8.3);
    int steps = 12;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        double row = 8.3 * t;
        Point p{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
        double s = Unit(row);
        paint::PaintFoliage(layer, p.x, p.y - 9 * s, 13 * s, 11 * s, Rgb(70, 140, 58), 300 + i, 1.0);
    }
}

void PaintHayBales(Canvas& ground, Canvas& layer)
{
    ShadowUnder(ground, 13.0, 6.2, 18.0, 9.0, 0.28);
    const Rgba straw = Rgb(226, 192, 96);
    const double bales[3][4] = {{13.2, 6.2, 15.4, 8.8}, {15.6, 6.2, 17.8, 8.8}, {14.2, 6.4, 16.8, 8.4}};
    for (int i = 0; i < 3; ++i) {
        Point floor[4];
        FloorCorners(bales[i][0], bales[i][1], bales[i][2], bales[i][3], floor);
        double height = (i == 2 ? 22.0 : 12.0) * Unit(7.5);
        if (i == 2) {
            for (Point& p : floor) {
                p.y -= 12.0 * Unit(7.5);
            }
            height = 10.0 * Unit(7.5);
        }
        paint::PaintBox(layer, floor, height, straw);
        // Straw stalks on the front face, then the two binding cords.
        SeededRandom random(40 + i);
        for (int k = 0; k < 14; ++k) {
            double t = random.Range(0.05, 0.95);
            double x = floor[3].x + (floor[2].x - floor[3].x) * t;
            double y = floor[3].y - random.Range(0.2, 0.8) * height;
            paint::FillCapsule(layer, {x - 2, y}, {x + 2, y - 1}, 0.5, Solid{Rgb(190, 150, 60)});
        }
        for (double t : {0.33, 0.66}) {
            Point a{floor[3].x + (floor[2].x - floor[3].x) * t, floor[3].y};
            paint::FillCapsule(layer, {a.x, a.y - 1}, {a.x, a.y - height + 1}, 0.8, Solid{Rgb(150, 110, 50)});
        }
    }
}

// Bare, darker earth over a block of cells: an oval with a soft rim that reaches every cell centre.
void PaintEarthPatch(Canvas& ground, double c0, double r0, double c1, double r1)
{
    Point centre = At((c0 + c1) / 2, (r0 + r1) / 2);
    double rx = (At(c1, (r0 + r1) / 2).x - At(c0, (r0 + r1) / 2).x) * 0.56;
    double ry = (At(c0, r1).y - At(c0, r0).y) * 0.56;
    paint::FillEllipse(ground, centre.x, centre.y, rx, ry, Solid{Rgb(150, 108, 66, 110)}, 3.0);
    paint::FillEllipse(ground, centre.x, centre.y, rx, ry, Solid{Rgb(140, 100, 60, 200)}, -1.0);
}

// Chips and two split logs lying flat where the wood is chopped, left of the stack.
void PaintWoodChips(Canvas& ground)
{
    PaintEarthPatch(ground, 5.0, 7.0, 6.6, 10.0);
    SeededRandom random(23);
    for (int i = 0; i < 40; ++i) {
        Point p = At(random.Range(5.1, 6.6), random.Range(7.1, 9.9));
        double s = Unit(8.5);
        paint::FillEllipse(ground, p.x, p.y, 2.6 * s, 1.2 * s, Solid{paint::Scale(kPlank, random.Range(0.8, 1.1))});
    }
    for (double row : {7.9, 9.1}) {
        Point a = At(5.0, row);
        Point b = At(6.4, row);
        double s = Unit(row);
        paint::FillCapsule(ground, a, b, 3.6 * s, Solid{paint::kOutline});
        paint::FillCapsule(ground, a, b, 2.6 * s, Solid{kBark});
        paint::FillCapsule(ground, {a.x, a.y - 0.8 * s}, {b.x, b.y - 0.8 * s}, 1.2 * s, Solid{kEndGrain});
    }
}

void PaintWoodPile(Canvas& ground, Canvas& layer)
{
    ShadowUnder(ground, 5.0, 7.0, 12.0, 10.0, 0.32);
    PaintWoodChips(ground);
    // The stack recedes to row 7; its front shows the log ends in a pyramid. It starts right of
    // the mask's left edge, so the mask holds all of it.
    Point floor[4];
    FloorCorners(6.4, 7.2, 11.7, 9.7, floor);
    double unit = Unit(9.0);
    paint::PaintBox(layer, floor, 26 * unit, kBark);
    Point left = At(6.5, 9.7);
    Point right = At(11.6, 9.7);
    double radius = 7.4 * unit;
    int perRow = static_cast<int>((right.x - left.x) / (2 * radius));
    for (int level = 0; level < 3; ++level) {
        int count = perRow - level;
        double startX = (left.x + right.x) / 2 - (count - 1) * radius;
        double y = left.y - radius - level * radius * 1.7;
        for (int i = 0; i < count; ++i) {
            double x = startX + i * 2 * radius;
            paint::FillEllipse(layer, x, y, radius, radius, Solid{paint::kOutline}, 1.2);
            paint::FillEllipse(layer, x, y, radius, radius, Solid{paint::Scale(kBark, 1.05)});
            auto rings = [&](int px, int py) {
                double d = std::hypot(px + 0.5 - x + 1, py + 0.5 - y + 1) / radius;
                return paint::Scale(kEndGrain, 1.08 - 0.1 * (0.5 + 0.5 * std::cos(d * 16)) - 0.1 * d);
            };
            paint::FillEllipse(layer, x - 0.6, y - 0.6, radius - 2.2, radius - 2.2, rings);
        }
    }
}

void PaintWell(Canvas& ground, Canvas& layer)
{
    // A cobbled apron covers the blocked cells; the well stands in its middle.
    Point centre = At(25.0, 7.6);
    const double cut = 0.45;
    std::vector<Point> apron = {At(22.0 + cut, 5.0),  At(28.0 - cut, 5.0),  At(28.0, 5.0 + cut),  At(28.0, 10.0 - cut),
                                At(28.0 - cut, 10.0), At(22.0 + cut, 10.0), At(22.0, 10.0 - cut), At(22.0, 5.0 + cut)};
    paint::FillConvex(ground, apron, Solid{paint::Scale(kStone, 0.7)}, 1.0);
    paint::FillConvex(ground, apron, Solid{kStone});
    double apronRx = centre.x - At(22.0, 7.6).x;
    double apronRy = (At(25.0, 10.0).y - At(25.0, 5.0).y) / 2;
    SeededRandom random(5);
    for (int i = 0; i < 60; ++i) {
        double a = random.Range(0, 6.283);
        double d = std::sqrt(random.Unit()) * 0.9;
        paint::FillEllipse(ground, centre.x + std::cos(a) * d * apronRx, centre.y + std::sin(a) * d * apronRy, 5, 2.5,
                           Solid{paint::Scale(kStone, random.Range(0.85, 1.05))});
    }
    PaintGroundShadow(ground, centre.x + 12, centre.y + 4, 46, 14, 0.35);
    double unit = Unit(7.6);
    double rx = 34, ry = 11, height = 36 * unit;
    paint::PaintCylinder(layer, centre.x, centre.y, rx, ry, height, Rgb(176, 168, 152), Rgb(196, 188, 172));
    paint::FillEllipse(layer, centre.x, centre.y - height, rx - 6, ry - 3.5, Solid{Rgb(40, 60, 80)});
    paint::FillEllipse(layer, centre.x - 4, centre.y - height + 1, rx - 16, ry - 7, Solid{Rgb(70, 110, 150)});
    // Posts, crank beam and a little shingle roof reaching up to the mask's top edge.
    const double roofTop = 264;
    for (double side : {-1.0, 1.0}) {
        double x = centre.x + side * (rx - 5);
        paint::FillRoundRect(layer, x - 3, roofTop + 14, x + 3, centre.y - height + 3, 1.0, Solid{paint::kOutline},
                             1.0);
        paint::FillRoundRect(layer, x - 3, roofTop + 14, x + 3, centre.y - height + 3, 1.0,
                             Solid{paint::Scale(kPlank, side < 0 ? 1.05 : 0.8)});
    }
    paint::FillCapsule(layer, {centre.x - rx + 2, roofTop + 26}, {centre.x + rx - 2, roofTop + 26}, 2.2,
                       Solid{paint::kOutline});
    paint::FillCapsule(layer, {centre.x - rx + 2, roofTop + 26}, {centre.x + rx - 2, roofTop + 26}, 1.4,
                       Solid{Rgb(120, 84, 50)});
    paint::FillCapsule(layer, {centre.x + 4, roofTop + 27}, {centre.x + 4, centre.y - height - 6}, 0.7,
                       Solid{Rgb(90, 70, 50)});
    paint::FillRoundRect(layer, centre.x - 2, centre.y - height - 10, centre.x + 10, centre.y - height - 1, 2.0,
                         Solid{paint::kOutline}, 1.0);
    paint::FillRoundRect(layer, centre.x - 2, centre.y - height - 10, centre.x + 10, centre.y - height - 1, 2.0,
                         Solid{Rgb(150, 100, 60)});
    std::vector<Point> roof = {{centre.x - rx - 10, roofTop + 16},
                               {centre.x + rx + 10, roofTop + 16},
                               {centre.x + 12, roofTop},
                               {centre.x - 12, roofTop}};
    paint::FillConvex(layer, roof, Solid{paint::kOutline}, 1.2);
    auto shingles = [&](int x, int y) {
        double edge = std::fmod(y - roofTop, 5.0) < 1.0 ? 0.8 : 1.0;
        return paint::Scale(Rgb(176, 84, 56), edge * (1.1 - 0.25 * (x - centre.x + rx) / (2 * rx)));
    };
    paint::FillConvex(layer, roof, shingles);
}

void PaintFence(Canvas& ground, Canvas& layer)
{
    const Rgba wood = Rgb(168, 118, 70);
    auto postAt = [&](Canvas& target, Point base, double row) {
        double unit = Unit(row);
        double height = 33 * unit;
        double half = 2.6 * unit;
        paint::FillRoundRect(target, base.x - half, base.y - height, base.x + half, base.y, 1.5, Solid{paint::kOutline},
                             1.2);
        paint::FillRoundRect(target, base.x - half, base.y - height, base.x + half, base.y, 1.5, Solid{wood});
        paint::FillRoundRect(target, base.x - half, base.y - height, base.x - half * 0.2, base.y, 1.0,
                             Solid{paint::Scale(wood, 1.15)});
    };
    auto rail = [&](Canvas& target, Point a, Point b, double rowA, double rowB, double lift) {
        Point from{a.x, a.y - lift * Unit(rowA)};
        Point to{b.x, b.y - lift * Unit(rowB)};
        paint::FillCapsule(target, from, to, 2.4 * Unit((rowA + rowB) / 2), Solid{paint::kOutline});
        paint::FillCapsule(target, from, to, 1.5 * Unit((rowA + rowB) / 2), Solid{paint::Scale(wood, 1.05)});
    };
    // The long side runs from the back wall to row 13.6 on column 30.6.
    const double sideColumn = 30.6;
    const double cornerRow = 13.7;
    std::vector<double> rows;
    for (double row = 0.3; row < cornerRow; row += 2.2) {
        rows.push_back(row);
    }
    rows.push_back(cornerRow);
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        for (double lift : {12.0, 26.0}) {
            rail(ground, At(sideColumn, rows[i]), At(sideColumn, rows[i + 1]), rows[i], rows[i + 1], lift);
        }
    }
    for (double row : rows) {
        PaintGroundShadow(ground, At(sideColumn, row).x + 5, At(sideColumn, row).y + 2, 6, 2.5, 0.3);
        postAt(row == cornerRow ? layer : ground, At(sideColumn, row), row);
    }
    // The cross side along row 13.7 from the mask's left edge to beyond the screen.
    const double crossStart = ColumnAt(849.0, cornerRow / kCells) * kCells;
    std::vector<double> columns = {crossStart};
    for (double column = crossStart + 1.6; column < 36.0; column += 1.6) {
        columns.push_back(column);
    }
    for (size_t i = 0; i + 1 < columns.size(); ++i) {
        for (double lift : {12.0, 26.0}) {
            rail(layer, At(columns[i], cornerRow), At(columns[i + 1], cornerRow), cornerRow, cornerRow, lift);
        }
    }
    for (double column : columns) {
        Point base = At(column, cornerRow);
        PaintGroundShadow(ground, base.x + 5, base.y + 2, 6, 2.5, 0.3);
        postAt(layer, base, cornerRow);
    }
}

void PaintTable(Canvas& ground, Canvas& layer)
{
    const double c0 = 10.55, c1 = 16.7, r0 = 15.3, r1 = 22.6;
    // The shade under the top covers the table's whole footprint.
    std::vector<Point> shade = {At(c0 - 0.35, r0 + 0.2), At(c1 + 0.3, r0 + 0.2), At(c1 + 0.3, r1 + 0.3),
                                At(c0 - 0.35, r1 + 0.3)};
    paint::FillConvex(ground, shade, Solid{Rgb(70, 46, 24, 110)}, 2.0);
    double lift = 40 * Unit(r0);
    double frontLift = 40 * Unit(r1);
    // Legs first, the top covers their upper ends.
    for (double column : {c0 + 0.5, c1 - 0.5}) {
        for (double row : {r0 + 0.6, r1 - 0.4}) {
            Point base = At(column, row);
            double h = 40 * Unit(row);
            double w = 3.0 * Unit(row);
            paint::FillRoundRect(layer, base.x - w, base.y - h, base.x + w, base.y, 1.0, Solid{paint::kOutline}, 1.2);
            paint::FillRoundRect(layer, base.x - w, base.y - h, base.x + w, base.y, 1.0,
                                 Solid{paint::Scale(kPlank, 0.8)});
        }
    }
    Point backLeft = At(c0, r0, lift), backRight = At(c1, r0, lift);
    Point frontRight = At(c1, r1, frontLift), frontLeft = At(c0, r1, frontLift);
    double thickness = 6 * Unit(r1);
    std::vector<Point> edge = {
        frontLeft, frontRight, {frontRight.x, frontRight.y + thickness}, {frontLeft.x, frontLeft.y + thickness}};
    std::vector<Point> top = {backLeft, backRight, frontRight, frontLeft};
    paint::FillConvex(layer, top, Solid{paint::kOutline}, 1.3);
    paint::FillConvex(layer, edge, Solid{paint::kOutline}, 1.3);
    paint::FillConvex(layer, edge, Solid{paint::Scale(kPlank, 0.72)});
    auto planks = [&](int x, int y) {
        double row = RowAtScreenY(y + lift * 0.9) * kCells;
        double column = ColumnAt(x + 0.5, row / kCells) * kCells;
        double seam = std::fmod(column - c0, 1.6) < 0.08 ? 0.78 : 1.0;
        return paint::Scale(kPlank, seam * (1.12 - 0.14 * (column - c0) / (c1 - c0)));
    };
    paint::FillConvex(layer, top, planks);
    // A jug, a loaf and two plates on the table.
    Point jug = At(12.0, 17.5, 40 * Unit(17.5));
    paint::PaintCylinder(layer, jug.x, jug.y, 7, 3, 16, Rgb(120, 150, 190), Rgb(150, 180, 215));
    Point loaf = At(14.6, 19.0, 40 * Unit(19));
    paint::FillEllipse(layer, loaf.x, loaf.y - 5, 14, 7, Solid{paint::kOutline}, 1.2);
    paint::FillEllipse(layer, loaf.x, loaf.y - 5, 14, 7, [&](int x, int y) {
        return paint::Scale(Rgb(210, 150, 80), 1.1 - 0.2 * (x - loaf.x) / 14 - 0.2 * (y - loaf.y + 5) / 7);
    });
    for (double row : {16.8, 20.8}) {
        Point plate = At(row < 18 ? 15.2 : 12.0, row, 40 * Unit(row));
        paint::FillEllipse(layer, plate.x, plate.y, 10, 4, Solid{paint::Scale(kPlank, 0.6)}, 0.8);
        paint::FillEllipse(layer, plate.x, plate.y, 10, 4, Solid{Rgb(236, 232, 220)});
    }
    // The stool in front of the table stands on the cells of row 23.
    Point stool[4];
    FloorCorners(12.3, 23.1, 14.7, 23.9, stool);
    ShadowUnder(ground, 12.3, 23.1, 14.7, 23.9, 0.3);
    paint::PaintBox(layer, stool, 22 * Unit(23.5), paint::Scale(kPlank, 0.95));
}

void PaintVegetableBed(Canvas& ground, Canvas& layer)
{
    ShadowUnder(ground, 3.0, 22.0, 8.0, 24.0, 0.25);
    PaintBedFrame(layer, 3.1, 22.1, 7.9, 23.9);
    for (double column = 3.9; column < 7.6; column += 1.15) {
        Point p = At(column, 23.0, 9 * Unit(23));
        double s = Unit(23);
        paint::FillEllipse(layer, p.x, p.y, 8.5 * s, 6.5 * s, Solid{paint::kOutline}, 1.0);
        paint::FillEllipse(layer, p.x, p.y, 8.5 * s, 6.5 * s, [&](int x, int y) {
            return paint::Scale(Rgb(120, 184, 90), 1.12 - 0.25 * (x - p.x) / (8.5 * s) - 0.2 * (y - p.y) / (6.5 * s));
        });
        paint::FillEllipse(layer, p.x - 1, p.y - 1, 4 * s, 3 * s, Solid{Rgb(170, 220, 140)});
    }
}

void PaintFlowerBed(Canvas& ground, Canvas& layer)
{
    ShadowUnder(ground, 20.0, 19.0, 25.0, 21.0, 0.25);
    PaintBedFrame(layer, 20.1, 19.1, 24.9, 20.9);
    SeededRandom random(17);
    const Rgba colours[4] = {Rgb(236, 80, 96), Rgb(250, 214, 80), Rgb(240, 240, 250), Rgb(180, 110, 220)};
    for (int i = 0; i < 26; ++i) {
        double column = random.Range(20.6, 24.4);
        double row = random.Range(19.4, 20.6);
        Point p = At(column, row, 11 * Unit(row));
        paint::FillCapsule(layer, {p.x, p.y}, {p.x, p.y + 5}, 0.8, Solid{Rgb(60, 120, 50)});
        PaintFlower(layer, p.x, p.y, 2.6 * Unit(row), colours[random.Below(4)]);
    }
}

void PaintFallenTree(Canvas& ground, Canvas& layer)
{
    // A felled oak lies across columns 16-25: the trunk, its stump and a few branch stubs.
    ShadowUnder(ground, 16.2, 25.2, 26.0, 28.0, 0.38);
    // The earth the roots tore up, on the cells left of the root plate.
    PaintEarthPatch(ground, 16.0, 25.0, 17.8, 28.0);
    Point left = At(17.4, 27.4);
    Point right = At(25.6, 27.4);
    double radius = 27 * Unit(27.4);
    double centreY = left.y - radius * 0.9;
    paint::PaintLog(layer, left.x, right.x, centreY, radius, kBark, kEndGrain);
    // Moss along the top, lit from the upper left.
    for (double x = left.x + 6; x < right.x - 12; x += 9) {
        paint::FillEllipse(layer, x, centreY - radius + 4, 7, 3.5, Solid{paint::Scale(kLeaf, 1.05)});
    }
    for (double x : {left.x + 60, left.x + 160}) {
        paint::FillCapsule(layer, {x, centreY - radius + 6}, {x + 14, centreY - radius - 14}, 5.0,
                           Solid{paint::kOutline});
        paint::FillCapsule(layer, {x, centreY - radius + 6}, {x + 14, centreY - radius - 14}, 3.8, Solid{kBark});
        paint::FillEllipse(layer, x + 15, centreY - radius - 16, 4.2, 3.0, Solid{kEndGrain});
    }
    // Root plate at the left end.
    Point stump = At(17.1, 27.2);
    double s = Unit(27.2);
    for (int i = 0; i < 5; ++i) {
        double angle = 2.0 + i * 0.5;
        Point tip{stump.x + std::cos(angle) * 34 * s + 20, centreY + std::sin(angle) * 40 * s};
        paint::FillCapsule(layer, {stump.x + 14, centreY}, tip, 5.5 * s, Solid{paint::kOutline});
        paint::FillCapsule(layer, {stump.x + 14, centreY}, tip, 4.2 * s, Solid{paint::Scale(kBark, 0.9)});
    }
    paint::FillEllipse(layer, stump.x + 16, centreY, radius * 0.5, radius * 1.05, Solid{paint::kOutline}, 1.2);
    paint::FillEllipse(layer, stump.x + 16, centreY, radius * 0.5, radius * 1.05, Solid{paint::Scale(kBark, 0.85)});
}

void PaintBarrels(Canvas& ground, Canvas& layer)
{
    // A low tub at the left end needs no mask; the barrels stand right of the mask's left edge.
    Point tub = At(3.8, 28.3);
    double tubUnit = Unit(28.3);
    PaintGroundShadow(ground, tub.x + 8, tub.y + 2, 24 * tubUnit, 10 * tubUnit, 0.35);
    paint::PaintCylinder(ground, tub.x, tub.y, 18 * tubUnit, 8 * tubUnit, 13 * tubUnit, Rgb(150, 96, 54),
                         Rgb(90, 140, 190));
    // Column, row and size of each barrel: a small keg at the back, two full barrels in front.
    const double spots[3][3] = {{5.6, 27.3, 0.8}, {4.8, 28.5, 0.95}, {6.5, 28.6, 0.95}};
    for (const auto& spot : spots) {
        Point base = At(spot[0], spot[1]);
        double unit = Unit(spot[1]) * spot[2];
        double rx = 22 * unit, ry = 8 * unit, height = 52 * unit;
        PaintGroundShadow(ground, base.x + 12, base.y + 3, rx + 8, ry + 4, 0.38);
        paint::PaintCylinder(layer, base.x, base.y, rx, ry, height, Rgb(160, 100, 54), Rgb(196, 140, 84));
        for (double t : {0.15, 0.5, 0.85}) {
            double y = base.y - height * t;
            paint::FillEllipse(layer, base.x, y + ry * 0.2, rx + 0.5, ry, Solid{Rgb(84, 80, 78)});
            paint::FillEllipse(layer, base.x, y - 2.5 * unit, rx + 0.5, ry, [&](int x, int) {
                return paint::Scale(Rgb(160, 100, 54), 0.78 - 0.3 * (x - base.x) / rx);
            });
        }
        paint::FillEllipse(layer, base.x, base.y - height, rx - 1.6, ry - 1.4, Solid{Rgb(196, 140, 84)});
        paint::FillEllipse(layer, base.x, base.y - height, rx - 4, ry - 3, Solid{Rgb(176, 122, 70)});
    }
}

void PaintFrontShrub(int index, Canvas& layer)
{
    const double shrubs[3][4] = {{70, 728, 82, 46}, {440, 736, 66, 34}, {992, 702, 88, 80}};
    const double* s = shrubs[index];
    paint::PaintFoliage(layer, s[0], s[1], s[2], s[3], Rgb(76, 146, 58), 500 + index * 7);
    SeededRandom random(600 + index);
    for (int i = 0; i < 6; ++i) {
        double a = random.Range(3.4, 6.0);
        double d = random.Range(0.3, 0.8);
        PaintFlower(layer, s[0] + std::cos(a) * s[2] * d, s[1] + std::sin(a) * s[3] * d, 3.2,
                    i % 2 ? Rgb(250, 246, 250) : Rgb(240, 120, 150));
    }
}

void PaintMeadowDetails(Canvas& ground)
{
    SeededRandom random(31);
    for (int i = 0; i < 160; ++i) {
        double column = random.Range(-0.6, 1.6) * kCells;
        double row = random.Range(0.0, 1.05) * kCells;
        int c = static_cast<int>(std::floor(column));
        int r = static_cast<int>(std::floor(row));
        bool onGrass = c < 0 || c >= kCells || r >= kCells || IsGrassCell(c, r);
        Point p = At(column, row);
        if (!onGrass || p.y < 300 || p.x < 0 || p.x > kStreamEdge || p.y > 768) {
            continue;
        }
        double s = Unit(row);
        for (int k = -1; k <= 1; ++k) {
            paint::FillCapsule(ground, p, {p.x + k * 3 * s, p.y - 6 * s}, 0.7, Solid{Rgb(70, 126, 44)});
        }
        if (i % 3 == 0) {
            PaintFlower(ground, p.x, p.y - 6 * s, 2.0 * s, i % 2 ? Rgb(250, 250, 250) : Rgb(250, 210, 80));
        }
    }
}

void PaintCart(Canvas& ground)
{
    const double left = 38, right = 150, bedTop = 404, bedBottom = 432;
    PaintGroundShadow(ground, (left + right) / 2 + 10, 462, 70, 10, 0.3);
    // Shafts resting on the grass, the box, then the wheel in front.
    paint::FillCapsule(ground, {right - 10, 428}, {right + 44, 458}, 3.4, Solid{paint::kOutline});
    paint::FillCapsule(ground, {right - 10, 428}, {right + 44, 458}, 2.2, Solid{kPlank});
    Point box[4] = {{left + 8, bedTop + 8}, {right + 6, bedTop + 8}, {right, bedBottom}, {left, bedBottom}};
    paint::PaintBox(ground, box, 26, paint::Scale(kPlank, 0.95));
    for (int i = 0; i < 4; ++i) {
        double x = left + 24 + i * 26;
        paint::FillEllipse(ground, x, bedTop - 14, 13, 8, Solid{paint::kOutline}, 1.0);
        paint::FillEllipse(ground, x, bedTop - 14, 13, 8, [&](int px, int py) {
            return paint::Scale(Rgb(236, 150, 50), 1.1 - 0.2 * (px - x) / 13 - 0.2 * (py - bedTop + 14) / 8);
        });
    }
    const double wheelX = (left + right) / 2, wheelY = 446, wheelR = 20;
    paint::FillEllipse(ground, wheelX, wheelY, wheelR, wheelR, Solid{paint::kOutline}, 1.2);
    paint::FillEllipse(ground, wheelX, wheelY, wheelR, wheelR, Solid{Rgb(120, 80, 46)});
    paint::FillEllipse(ground, wheelX, wheelY, wheelR - 4, wheelR - 4, Solid{Rgb(96, 150, 60)});
    for (int spoke = 0; spoke < 4; ++spoke) {
        double a = spoke * 0.785;
        Point from{wheelX - std::cos(a) * (wheelR - 3), wheelY - std::sin(a) * (wheelR - 3)};
        Point to{wheelX + std::cos(a) * (wheelR - 3), wheelY + std::sin(a) * (wheelR - 3)};
        paint::FillCapsule(ground, from, to, 1.8, Solid{Rgb(120, 80, 46)});
    }
    paint::FillEllipse(ground, wheelX, wheelY, 4, 4, Solid{Rgb(80, 76, 76)});
}

}  // namespace board
