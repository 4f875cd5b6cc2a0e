#pragma once

#include <span>

// Timing helpers for figures in the films: which of the eight directions a move points to,
// which frame of a clip shows at a moment, turns and hops.
namespace figure_motion {

// Facing the viewer.
constexpr int kSouth = 4;

// The direction (0 north, the board's back, clockwise to 7) nearest to a move on the board.
int Heading(double dColumn, double dRow);
// The frame of a clip played at fps since it began: looping, or stopping on its last frame.
int LoopFrame(double seconds, double fps, int frames);
int HoldFrame(double seconds, double fps, int frames);
// Steps of 45 degrees between two directions, the shorter way round.
int TurnSteps(int from, int to);
// Turning from one direction to another the shorter way, one step every stepSeconds.
int Turning(int from, int to, double seconds, double stepSeconds);
// 0 before, 1 after, easing in and out between.
double Smooth(double t);
// Height of a figure hopping at the given starts (seconds), each hop a parabola (0 between).
double Hops(double seconds, std::span<const double> starts, double duration, double height);

}  // namespace figure_motion
