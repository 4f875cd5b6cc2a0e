#pragma once

#include "game/board/BoardPoint.h"

// The eight facings of a figure, north (towards row 0) first and clockwise, and "stand".
namespace direction {

constexpr int kCount = 8;
constexpr int kNorth = 0;
constexpr int kEast = 2;
constexpr int kSouth = 4;
constexpr int kWest = 6;
constexpr int kStand = 100;

constexpr bool IsFacing(int dir) { return dir >= 0 && dir < kCount; }
constexpr bool IsDiagonal(int dir) { return dir % 2 == 1; }
// The sprite suffix, "N" to "NW".
const char* Suffix(int dir);
// The step to the neighbouring cell, (0, -1) for north.
Cell CellStep(int dir);
// The step as a unit vector.
BoardPoint UnitVector(int dir);
// The facing of a step given by the up (1), down (2), left (4) and right (8) bits; stand
// for none, for opposite keys and for three or more.
int FromKeyBits(int bits);

}  // namespace direction
