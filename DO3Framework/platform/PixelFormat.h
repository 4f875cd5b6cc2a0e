#pragma once

#include <cstdint>

namespace platform {

// The layout of one pixel of a frame-buffer surface. Channels are packed into the low bits of a
// little-endian value; a 32-bit pixel leaves its top byte unused, a 24-bit pixel has no spare.
struct PixelFormat {
    int bitsPerPixel = 16;
    uint32_t redMask = 0xF800;
    uint32_t greenMask = 0x07E0;
    uint32_t blueMask = 0x001F;

    int BytesPerPixel() const { return bitsPerPixel / 8; }
    bool operator==(const PixelFormat&) const = default;

    static PixelFormat Rgb565() { return {16, 0xF800, 0x07E0, 0x001F}; }
    static PixelFormat Rgb555() { return {16, 0x7C00, 0x03E0, 0x001F}; }
    // Blue, green, red bytes in memory order.
    static PixelFormat Rgb888() { return {24, 0xFF0000, 0x00FF00, 0x0000FF}; }
    static PixelFormat Xrgb8888() { return {32, 0xFF0000, 0x00FF00, 0x0000FF}; }
};

// The format the frame buffer uses for a depth of 16, 24 or 32 bits; any other depth gets 16.
// Sixteen bits mean 5-6-5 unless the 5-5-5 layout was chosen (tests run every path with it).
PixelFormat ScreenFormatForDepth(int depth);
void UseRgb555ForSixteenBits(bool use555);

}  // namespace platform
