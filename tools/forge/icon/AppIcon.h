#pragma once

#include "core/Canvas.h"

// The program's icon for the desktop: Fenno, the player's dwarf, as the status panel portrays
// him, in a round wooden frame on a transparent ground. Painted at three times the size and
// averaged down, so the small sizes keep their shapes.
class AppIcon {
public:
    static Canvas Paint(int size);

private:
    static Canvas PaintLarge(int size);
    static Canvas Reduced(const Canvas& large, int factor);
};
