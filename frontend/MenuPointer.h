#pragma once

#include "util/Singleton.h"

// Where the menus last saw the pointer. A window switching to or from full screen reports the
// pointer again though the player never touched the mouse; such a report must not take the
// highlight from the keys. Shared by all menus, since a menu entered by key has not seen the
// pointer itself.
class MenuPointer : public Singleton<MenuPointer> {
public:
    // False when the pointer was last seen at (x, y); remembers (x, y) as its place.
    bool MovedTo(int x, int y);

private:
    bool seen = false;
    int lastX = 0;
    int lastY = 0;
};
