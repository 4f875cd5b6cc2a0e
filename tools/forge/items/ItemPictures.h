#pragma once

#include "core/Canvas.h"

// The items lying on the board, each on a square cell with its base at the bottom centre,
// lit from the upper left with a dark outline. Painted at about three times their board size.
namespace item_pictures {

constexpr int kItemSize = 96;
constexpr int kBombFrames = 13;
constexpr int kBombCell = 176;

Canvas Mushroom();
Canvas DizzyPotion();
Canvas Skate();
Canvas WoodenBoard();
Canvas CoinPile();
Canvas Nightcap();
Canvas WingedBoot();
Canvas Snail();
Canvas Antler();
// Frame 0 lies waiting with a lit fuse; the fuse burns down, the blast peaks at frame 6 and
// the smoke clears by the last frame.
Canvas BombFrame(int frame);

}  // namespace item_pictures
