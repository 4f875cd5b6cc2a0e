#include "sprites/SpriteClipping.h"

#include <algorithm>

namespace sprite_clipping {
namespace {

// Moves one source edge by the destination's clipped amount, scaled by the axis ratio.
int ScaledAmount(int clipped, int sourceSize, int destinationSize)
{
    return static_cast<int>(static_cast<long long>(clipped) * (sourceSize + 1) / (destinationSize + 1));
}

}  // namespace

ImageRect SourceRect(const DrawInfo& info, int width, int height)
{
    ImageRect source;
    if (info.Has(DI_SRC_POS)) {
        source.left = info.srcX;
        source.top = info.srcY;
    }
    int sourceWidth = info.Has(DI_SRC_SIZE) ? info.srcWidth : width;
    int sourceHeight = info.Has(DI_SRC_SIZE) ? info.srcHeight : height;
    source.right = source.left + sourceWidth - 1;
    source.bottom = source.top + sourceHeight - 1;
    return source;
}

void AnchoredPosition(const DrawInfo& info, int fullWidth, int fullHeight, int& x, int& y)
{
    x = info.destX;
    y = info.destY;
    if (info.Has(DI_CENTER)) {
        x -= fullWidth / 2;
        y -= fullHeight / 2;
    } else if (info.Has(DI_BOTTOM_CENTER)) {
        x -= fullWidth / 2;
        y -= fullHeight;
    }
}

bool LimitToPicture(int& x, int& y, ImageRect& source, int width, int height)
{
    if (source.left < 0) {
        x -= source.left;
        source.left = 0;
    }
    if (source.top < 0) {
        y -= source.top;
        source.top = 0;
    }
    source.right = std::min(source.right, width - 1);
    source.bottom = std::min(source.bottom, height - 1);
    return source.left <= source.right && source.top <= source.bottom;
}

bool ClipUnscaled(int& x, int& y, ImageRect& source)
{
    if (x < 0) {
        source.left -= x;
        x = 0;
    }
    if (y < 0) {
        source.top -= y;
        y = 0;
    }
    if (x + (source.right - source.left) > kFrameRight) {
        source.right = source.left + kFrameRight - x;
    }
    if (y + (source.bottom - source.top) > kFrameBottom) {
        source.bottom = source.top + kFrameBottom - y;
    }
    return source.left <= source.right && source.top <= source.bottom;
}

bool ClipScaled(ImageRect& destination, ImageRect& source)
{
    int sourceWidth = source.right - source.left;
    int sourceHeight = source.bottom - source.top;
    int destinationWidth = destination.right - destination.left;
    int destinationHeight = destination.bottom - destination.top;
    if (destinationWidth < 0 || destinationHeight < 0) {
        return false;
    }
    if (destination.left < 0) {
        source.left += ScaledAmount(-destination.left, sourceWidth, destinationWidth);
        destination.left = 0;
    }
    if (destination.top < 0) {
        source.top += ScaledAmount(-destination.top, sourceHeight, destinationHeight);
        destination.top = 0;
    }
    if (destination.right > kFrameRight) {
        source.right -= ScaledAmount(destination.right - kFrameRight, sourceWidth, destinationWidth);
        destination.right = kFrameRight;
    }
    if (destination.bottom > kFrameBottom) {
        source.bottom -= ScaledAmount(destination.bottom - kFrameBottom, sourceHeight, destinationHeight);
        destination.bottom = kFrameBottom;
    }
    bool destinationShown = destination.left <= destination.right && destination.top <= destination.bottom;
    bool sourceShown = source.left <= source.right && source.top <= source.bottom;
    return destinationShown && sourceShown && source.left >= 0 && source.top >= 0;
}

}  // namespace sprite_clipping
