#pragma once

#include <array>

// The board as the game walks it and the forge paints it: the walk grid (row 0 at the back,
// '#' blocked) and the constants of the level's projection from board to screen.
namespace board {

constexpr int kCells = 32;

// clang-format off
constexpr std::array<const char*, kCells> kLayout = {
    "########......................##",
    "#######.......................##",
    "######........................##",
    "#####.........................##",
    "####..........................##",
    "###...................######..##",
    "##...........#####....######..##",
    "#....#######.#####....######..##",
    ".....#######.#####....######..##",
    ".....#######..........######..##",
    "..............................##",
    "..............................##",
    "..............................##",
    "............................####",
    "............................####",
    "..........#######...............",
    "..........#######...............",
    "..........#######...............",
    "..........#######...............",
    "..........#######...#####.......",
    "..........#######...#####.......",
    "..........#######..............#",
    "...#####..#######.............##",
    "...#####....###...............##",
    "..............................##",
    "................##########...###",
    "................##########...###",
    "...####.........##########...###",
    "...####.....................####",
    "...........................#####",
    "...........................#####",
    "..........................######",
};
// clang-format on

constexpr bool IsBlocked(int column, int row)
{
    if (column < 0 || row < 0 || column >= kCells || row >= kCells) {
        return true;
    }
    return kLayout[row][column] == '#';
}

// The hunter's door: a lane of cells at the back edge that is open only while he walks it.
constexpr int kDoorFirstColumn = 14;
constexpr int kDoorLastColumn = 16;
constexpr int kDoorLastRow = 5;
// The hunter's door pictures are drawn top-left here, over the lane; the queen top-left on her
// seat above the door. The board picture is painted around both.
constexpr int kDoorPictureX = 515;
constexpr int kDoorPictureY = 190;
constexpr int kQueenX = 464;
constexpr int kQueenY = 127;

// The level's projection: horizon -1.8, vertical scale 0.4, column offset -0.41, origin
// (515, 290), scale 525.
constexpr double kHorizon = -1.8;
constexpr double kVerticalScale = 0.4;
constexpr double kColumnOffset = -0.41;
constexpr double kOriginX = 515.0;
constexpr double kOriginY = 290.0;
constexpr double kScale = 525.0;

}  // namespace board
