#pragma once

#include "core/Canvas.h"

// The board plane below the back edge: a sandy courtyard on the walkable cells and the cells
// under the obstacles, grass on the blocked corners and around the board.
namespace board {

// True for blocked cells that are scenery rather than an obstacle: they are painted as grass.
bool IsGrassCell(int column, int row);

void PaintGround(Canvas& canvas);

// A soft shadow on the ground, cast to the lower right of an object.
void PaintGroundShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double strength = 0.32);

}  // namespace board
