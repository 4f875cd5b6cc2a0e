#pragma once

#include <vector>

#include "core/Canvas.h"
#include "screens/ScreenPainting.h"

// Buttons are wooden signs in a dark frame, fully opaque so their hit box matches the picture:
// frame 0 normal, 1 hovered (brighter, gold rim), 2 pressed (darker, caption pushed down).
namespace menu_buttons {

constexpr int kFrames = 3;

std::vector<Canvas> ButtonFrames(screen_painting::Fonts& fonts, int width, int height, const char* caption);

// The mouse pointer: a gilded arrow with its tip on pixel (0, 0), transparent elsewhere.
Canvas Cursor();

}  // namespace menu_buttons
