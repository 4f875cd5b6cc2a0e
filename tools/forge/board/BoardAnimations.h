#pragma once

#include "core/Canvas.h"

// The chimney smoke and the stream at the right edge, painted for one moment of their loops.
namespace board {

constexpr int kSmokeFrames = 10;
constexpr int kSmokeWidth = 80;
constexpr int kSmokeHeight = 108;
constexpr int kWaterFrames = 8;

// Smoke puffs on a transparent canvas of the smoke animation's size, loop position 0..1.
void PaintSmoke(Canvas& canvas, double loop);
// The stream on the screen canvas: its banks, and the water surface with ripples at 0..1.
void PaintStreamBanks(Canvas& canvas);
void PaintWater(Canvas& canvas, double loop);
// Screen rectangle the water animation covers (from its draw position).
constexpr int kWaterWidth = 54;
constexpr int kWaterHeight = 280;

}  // namespace board
