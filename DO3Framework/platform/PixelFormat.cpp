#include "platform/PixelFormat.h"

namespace platform {

namespace {
bool sixteenBitsAs555 = false;
}

PixelFormat ScreenFormatForDepth(int depth)
{
    switch (depth) {
    case 24: return PixelFormat::Rgb888();
    case 32: return PixelFormat::Xrgb8888();
    default: return sixteenBitsAs555 ? PixelFormat::Rgb555() : PixelFormat::Rgb565();
    }
}

void UseRgb555ForSixteenBits(bool use555)
{
    sixteenBitsAs555 = use555;
}

}  // namespace platform
