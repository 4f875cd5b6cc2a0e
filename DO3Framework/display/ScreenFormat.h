#pragma once

#include <cstdint>

// The screen's pixel format as all pixel conversion sees it: masks, right shifts that bring each
// mask down to its 5-bit (16-bit screens) or 8-bit (24/32-bit screens) maximum, and for 24/32
// bits the byte index of red, green and blue inside a pixel (a fourth index is always 3).
struct ScreenFormat {
    int depth = 16;
    uint32_t redMask = 0xF800;
    uint32_t greenMask = 0x07E0;
    uint32_t blueMask = 0x001F;
    int redShift = 11;
    int greenShift = 6;
    int blueShift = 0;
    int colorIndex[4] = {0, 0, 0, 0};

    // Derives shifts and indices from depth and masks. A mask that never reaches the channel
    // maximum stops the derivation (later shifts stay 0) and answers false.
    static bool FromMasks(int depth, uint32_t red, uint32_t green, uint32_t blue, ScreenFormat& format);
    // A pixel of this format as a colour 0x00RRGGBB, 5-bit channels widened to the full 8 bits.
    uint32_t ToColor(uint32_t pixel) const;
    bool operator==(const ScreenFormat&) const = default;
    static ScreenFormat Rgb565();
    static ScreenFormat Rgb555();
    static ScreenFormat Rgb888();
    static ScreenFormat Xrgb8888();
};
