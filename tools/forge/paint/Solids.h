#pragma once

#include "core/Canvas.h"
#include "paint/Shapes.h"

// Simple shaded solids seen from the front above, lit from the upper left, with a dark outline.
namespace paint {

constexpr Rgba kOutline{52, 34, 22, 255};

// Upright cylinder standing on the ellipse (cx, baseY, rx, ry), height pixels tall. The side is
// shaded by the surface normal's angle to the light; the top is lighter still.
void PaintCylinder(Canvas& canvas, double cx, double baseY, double rx, double ry, double height, Rgba side, Rgba top,
                   double outline = 1.2);

// Lying cylinder (a log) along x from left to right around centreY, radius r, end cap ellipse
// on the right showing rings.
void PaintLog(Canvas& canvas, double left, double right, double centreY, double radius, Rgba bark, Rgba wood,
              double outline = 1.2);

// A box from its four floor corners (back-left, back-right, front-right, front-left) raised by
// height pixels: top, front and the visible side are painted with light from the upper left.
void PaintBox(Canvas& canvas, const Point floor[4], double height, Rgba colour, double outline = 1.2);

// A leafy clump of overlapping shaded balls inside the ellipse (cx, cy, rx, ry).
void PaintFoliage(Canvas& canvas, double cx, double cy, double rx, double ry, Rgba base, unsigned seed,
                  double outline = 1.2);

}  // namespace paint
