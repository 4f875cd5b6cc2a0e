#include "platform/Viewport.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {
Viewport currentViewport;
}

Viewport FitViewport(int windowWidth, int windowHeight, int frameWidth, int frameHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) {
        return {0, 0, std::max(windowWidth, 0), std::max(windowHeight, 0)};
    }
    // Compare the aspect ratios in integers: the wider side gets the bars.
    int64_t widthByFrame = static_cast<int64_t>(windowWidth) * frameHeight;
    int64_t heightByFrame = static_cast<int64_t>(windowHeight) * frameWidth;
    Viewport viewport;
    if (widthByFrame > heightByFrame) {
        viewport.height = windowHeight;
        viewport.width = static_cast<int>(heightByFrame / frameHeight);
    } else {
        viewport.width = windowWidth;
        viewport.height = static_cast<int>(widthByFrame / frameWidth);
    }
    viewport.x = (windowWidth - viewport.width) / 2;
    viewport.y = (windowHeight - viewport.height) / 2;
    return viewport;
}

Viewport CurrentViewport()
{
    return currentViewport;
}

void SetCurrentViewport(const Viewport& viewport)
{
    currentViewport = viewport;
}

void MapWindowToViewport(int windowX, int windowY, int& viewportX, int& viewportY)
{
    if (currentViewport.width <= 0 || currentViewport.height <= 0) {
        viewportX = windowX;
        viewportY = windowY;
        return;
    }
    viewportX = std::clamp(windowX - currentViewport.x, 0, std::max(currentViewport.width - 1, 0));
    viewportY = std::clamp(windowY - currentViewport.y, 0, std::max(currentViewport.height - 1, 0));
}

}  // namespace platform
