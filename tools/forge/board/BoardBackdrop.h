#pragma once

#include "core/Canvas.h"

// Everything behind the board's back edge: sky, the swaying forest, the house with its
// chimney, the back wall with the hunter's door and the queen's seat. The top band stays calm sky
// for the clock, the score and the dwarf panels.
namespace board {

// Top of the chimney, where the smoke animation starts.
constexpr int kChimneyTopX = 182;
constexpr int kChimneyTopY = 112;

void PaintSky(Canvas& canvas);
// The forest alone on a transparent layer; phase 0..1 sways the crowns.
void PaintForest(Canvas& canvas, double phase);
// House, back wall, gate, door, balcony and throne, and the grass strip at their feet.
void PaintBuildings(Canvas& canvas);

}  // namespace board
