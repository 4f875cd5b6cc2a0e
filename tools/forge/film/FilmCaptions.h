#pragma once

#include "core/Canvas.h"
#include "screens/ScreenPainting.h"

// Lettering for the films in the look of the game's screens, painted at the screens' own size
// (1024 pixels across, the text centred) on a transparent picture cut to the painted rows; the
// films scale it down to their width.
namespace film_captions {

constexpr int kPaintWidth = 1024;

// The gold title on its red ribbon, as on the main menu.
Canvas TitleRibbon(screen_painting::Fonts& fonts, const char* title, int pixelSize);
// A line of dark red lettering with a light outline, as the menu's subtitle.
Canvas Subtitle(screen_painting::Fonts& fonts, const char* text, int pixelSize);

}  // namespace film_captions
