#pragma once

#include <vector>

#include "core/Canvas.h"
#include "screens/ScreenPainting.h"

// The full-screen pictures of the menus, the loading screen and the end of the game. Each is
// 1024 x 768 and opaque; `scene` is the finished board background they are painted over.
namespace menu_screens {

Canvas MainMenu(const Canvas& scene, screen_painting::Fonts& fonts);
Canvas Highscores(screen_painting::Fonts& fonts);
Canvas Exit(const Canvas& scene, screen_painting::Fonts& fonts);
Canvas GameOver(const Canvas& scene, screen_painting::Fonts& fonts);
// Leaves a calm field around x 435-600, y 420-480 for the percentage.
Canvas LoaderBack(const Canvas& scene, screen_painting::Fonts& fonts);

// The loading bar's three frames, drawn at (423, 112): 2 while loading, 1 and 0 blinking at the end.
constexpr int kLoaderFrames = 3;
constexpr int kLoaderWidth = 178;
constexpr int kLoaderHeight = 296;
std::vector<Canvas> LoaderFenno(screen_painting::Fonts& fonts);

}  // namespace menu_screens
