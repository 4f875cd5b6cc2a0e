#pragma once

#include "core/Canvas.h"
#include "screens/ScreenPainting.h"

// "HelpMenuBackground": there is no help text file, so the whole help is painted in: controls
// (keys, full screen, gamepad) and goal on the left, scoring, items and the jester on the right,
// leaving the corner of the main-menu button free.
Canvas PaintHelpScreen(screen_painting::Fonts& fonts);
