#pragma once

#include "game/board/BoardPoint.h"

// The process-wide projection from a board position to logical-frame pixels, shared by every
// figure, item and character. Free functions, so that objects without a level can use it.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

void SetProjection(float horizon, float verticalScale, float columnOffset, float screenX0, float screenY0,
                   float scale);
// The main level's own projection (the one the board picture was painted with).
void SetBoardProjection();
// Pixels of (column, row), lifted by extraY; truncated toward zero.
ScreenPoint Project(float column, float row, int extraY = 0);
inline ScreenPoint Project(BoardPoint position, int extraY = 0) { return Project(position.column, position.row, extraY); }
