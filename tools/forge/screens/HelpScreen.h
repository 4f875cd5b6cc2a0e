#pragma once

#include "core/Canvas.h"
#include "screens/ScreenPainting.h"

// "HelpMenuBackground": there is no help text file, so the whole help is painted in: controls,
// goal, scoring, items and the jester, leaving the corner of the main-menu button free.
Canvas PaintHelpScreen(screen_painting::Fonts& fonts);
