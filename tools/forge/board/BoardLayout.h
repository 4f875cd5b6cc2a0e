#pragma once

#include <cmath>

#include "game/board/BoardLayout.h"
#include "game/level/BoardPictures.h"

// The board as the forge paints it: the game's walk grid and projection (shared with the game,
// so the art and the play agree), plus what the painting needs beyond them.
namespace board {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

// Unrounded screen position of a board position (column, row in 0..1) lifted by extraY pixels.
inline ScreenPoint ProjectExact(double column, double row, double extraY = 0.0)
{
    double d = row / kHorizon + 1.0;
    return {kOriginX + kScale * (column + kColumnOffset) / d, kOriginY + extraY + kScale * kVerticalScale * row / d};
}

// The game's own integer projection (truncation toward zero).
struct ScreenPixel {
    int x = 0;
    int y = 0;
};
inline ScreenPixel Project(double column, double row, double extraY = 0.0)
{
    ScreenPoint p = ProjectExact(column, row, extraY);
    return {static_cast<int>(std::trunc(p.x)), static_cast<int>(std::trunc(p.y))};
}

// Board row of a screen y on the board plane (inverse of the projection's y).
inline double RowAtScreenY(double y)
{
    double t = y - kOriginY;
    return t / (kScale * kVerticalScale - t / kHorizon);
}

// Board column of screen x on a given row.
inline double ColumnAt(double x, double row)
{
    return (x - kOriginX) * (row / kHorizon + 1.0) / kScale - kColumnOffset;
}

// Figures are drawn at (row + 1) x 0.6; the art uses the same factor for heights above the board.
inline double FigureScale(double row) { return (row + 1.0) * 0.6; }

// The painted door stands beneath the hunter's door pictures, over the door lane.
constexpr int kDoorLeft = 522;
constexpr int kDoorRight = 584;
constexpr int kDoorTop = 204;

// HUD places: the clock, the total score (right-aligned) and the dwarf panels.
constexpr int kClockX = 37;
constexpr int kClockY = 25;
constexpr int kScoreRight = 958;
constexpr int kScoreY = 25;
constexpr int kPanelX = 186;
constexpr int kPanelStep = 86;
constexpr int kPanelY = 4;
constexpr int kPanelCount = 5;

}  // namespace board
