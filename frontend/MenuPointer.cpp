#include "frontend/MenuPointer.h"

bool MenuPointer::MovedTo(int x, int y)
{
    const bool moved = !seen || x != lastX || y != lastY;
    seen = true;
    lastX = x;
    lastY = y;
    return moved;
}
