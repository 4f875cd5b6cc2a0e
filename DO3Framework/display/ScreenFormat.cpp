#include "display/ScreenFormat.h"

namespace {

// The right shift that brings the mask down to the channel maximum; -1 when none does.
int ShiftToMaximum(uint32_t mask, uint32_t maximum)
{
    for (int shift = 0; shift < 32; ++shift) {
        uint32_t shifted = mask >> shift;
        if (shifted == maximum) {
            return shift;
        }
        if (shifted == 0) {
            break;
        }
    }
    return -1;
}

ScreenFormat Derived(int depth, uint32_t red, uint32_t green, uint32_t blue)
{
    ScreenFormat format;
    ScreenFormat::FromMasks(depth, red, green, blue, format);
    return format;
}

}  // namespace

bool ScreenFormat::FromMasks(int depth, uint32_t red, uint32_t green, uint32_t blue, ScreenFormat& format)
{
    format.depth = depth;
    format.redMask = red;
    format.greenMask = green;
    format.blueMask = blue;
    format.redShift = format.greenShift = format.blueShift = 0;
    uint32_t maximum = depth == 16 ? 31 : 255;
    int* shifts[3] = {&format.redShift, &format.greenShift, &format.blueShift};
    uint32_t masks[3] = {red, green, blue};
    for (int channel = 0; channel < 3; ++channel) {
        int shift = ShiftToMaximum(masks[channel], maximum);
        if (shift < 0) {
            return false;
        }
        *shifts[channel] = shift;
    }
    bool wide = depth != 16;
    format.colorIndex[0] = wide ? format.redShift / 8 : 0;
    format.colorIndex[1] = wide ? format.greenShift / 8 : 0;
    format.colorIndex[2] = wide ? format.blueShift / 8 : 0;
    format.colorIndex[3] = wide ? 3 : 0;
    return true;
}

uint32_t ScreenFormat::ToColor(uint32_t pixel) const
{
    auto widened = [this, pixel](uint32_t mask, int shift) {
        uint32_t value = (pixel & mask) >> shift;
        return depth == 16 ? (value << 3 | value >> 2) : value;
    };
    return widened(redMask, redShift) << 16 | widened(greenMask, greenShift) << 8 | widened(blueMask, blueShift);
}

ScreenFormat ScreenFormat::Rgb565()
{
    return Derived(16, 0xF800, 0x07E0, 0x001F);
}

ScreenFormat ScreenFormat::Rgb555()
{
    return Derived(16, 0x7C00, 0x03E0, 0x001F);
}

ScreenFormat ScreenFormat::Rgb888()
{
    return Derived(24, 0xFF0000, 0x00FF00, 0x0000FF);
}

ScreenFormat ScreenFormat::Xrgb8888()
{
    return Derived(32, 0xFF0000, 0x00FF00, 0x0000FF);
}
