#include "platform/DisplayModes.h"

#include <SDL.h>

namespace platform {

namespace {
int desktopDepthOverride = 0;
}

std::vector<DisplayMode> EnumerateDisplayModes()
{
    std::vector<DisplayMode> modes;
    for (DisplayMode size : {DisplayMode{800, 600, 0}, DisplayMode{1024, 768, 0}}) {
        for (int depth : {16, 24, 32}) {
            modes.push_back({size.width, size.height, depth});
        }
    }
    return modes;
}

int DesktopDepth()
{
    if (desktopDepthOverride != 0) {
        return desktopDepthOverride;
    }
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return 32;
    }
    return SDL_BYTESPERPIXEL(mode.format) == 2 ? 16 : 32;
}

void OverrideDesktopDepth(int depth)
{
    desktopDepthOverride = depth;
}

}  // namespace platform
