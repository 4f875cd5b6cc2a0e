#pragma once

#include <cstdint>

#include "display/ScreenFormat.h"

// Row kernels of the blending sprites. Channels are taken from a pixel with the screen's masks
// and shifts (5 bits on 16-bit screens, 8 bits otherwise); all arithmetic is integer.
namespace pixel_blend {

enum Channel { kRed = 0, kGreen = 1, kBlue = 2 };

struct Layout {
    uint32_t mask[3] = {0, 0, 0};
    int shift[3] = {0, 0, 0};
    int index[3] = {0, 0, 0};

    static Layout Of(const ScreenFormat& format)
    {
        Layout layout;
        layout.mask[kRed] = format.redMask;
        layout.mask[kGreen] = format.greenMask;
        layout.mask[kBlue] = format.blueMask;
        layout.shift[kRed] = format.redShift;
        layout.shift[kGreen] = format.greenShift;
        layout.shift[kBlue] = format.blueShift;
        for (int channel = 0; channel < 3; ++channel) {
            layout.index[channel] = format.colorIndex[channel];
        }
        return layout;
    }
};

// d + ((s - d) x a >> 8); the product is signed and the shift arithmetic.
inline int Mix(int screen, int sprite, int alpha)
{
    return screen + (((sprite - screen) * alpha) >> 8);
}

template <class Pixel>
inline int ChannelOf(Pixel pixel, const Layout& layout, int channel)
{
    return static_cast<int>((pixel & layout.mask[channel]) >> layout.shift[channel]);
}

template <class Pixel>
inline Pixel Pack(int red, int green, int blue, const Layout& layout)
{
    return static_cast<Pixel>(static_cast<uint32_t>(red) << layout.shift[kRed] |
                              static_cast<uint32_t>(green) << layout.shift[kGreen] |
                              static_cast<uint32_t>(blue) << layout.shift[kBlue]);
}

template <class Pixel>
inline Pixel MixPixel(Pixel screen, int red, int green, int blue, int alpha, const Layout& layout)
{
    return Pack<Pixel>(Mix(ChannelOf(screen, layout, kRed), red, alpha),
                       Mix(ChannelOf(screen, layout, kGreen), green, alpha),
                       Mix(ChannelOf(screen, layout, kBlue), blue, alpha), layout);
}

// Alpha sprites: sprite pixels in the screen format, one alpha byte per pixel.
template <class Pixel>
void BlendAlphaRow(Pixel* to, const Pixel* from, const uint8_t* alpha, int count, const Layout& layout)
{
    for (int i = 0; i < count; ++i) {
        int a = alpha[i];
        if (a == 0) {
            continue;
        }
        if (a == 255) {
            to[i] = from[i];
            continue;
        }
        Pixel sprite = from[i];
        to[i] = MixPixel<Pixel>(to[i], ChannelOf(sprite, layout, kRed), ChannelOf(sprite, layout, kGreen),
                                ChannelOf(sprite, layout, kBlue), a, layout);
    }
}

inline void BlendAlphaRow24(uint8_t* to, const uint8_t* from, const uint8_t* alpha, int count)
{
    for (int i = 0; i < count; ++i, to += 3, from += 3) {
        int a = alpha[i];
        if (a == 0) {
            continue;
        }
        for (int byte = 0; byte < 3; ++byte) {
            to[byte] = static_cast<uint8_t>(a == 255 ? from[byte] : Mix(to[byte], from[byte], a));
        }
    }
}

// Decoded run-length pixels 0xAARRGGBB: alpha below 16 leaves the screen, above 240 is opaque.
inline constexpr uint32_t kRleInvisibleBelow = 16;
inline constexpr uint32_t kRleOpaqueAbove = 240;

template <class Pixel, bool sixteenBits>
inline void ApplyRlePixel(Pixel& screen, uint32_t value, const Layout& layout)
{
    uint32_t alpha = value >> 24;
    if (alpha < kRleInvisibleBelow) {
        return;
    }
    int shift = sixteenBits ? 3 : 0;
    int red = static_cast<int>((value >> 16) & 0xFF) >> shift;
    int green = static_cast<int>((value >> 8) & 0xFF) >> shift;
    int blue = static_cast<int>(value & 0xFF) >> shift;
    screen = alpha > kRleOpaqueAbove ? Pack<Pixel>(red, green, blue, layout)
                                     : MixPixel<Pixel>(screen, red, green, blue, static_cast<int>(alpha), layout);
}

inline void ApplyRlePixel24(uint8_t* screen, uint32_t value, const Layout& layout)
{
    uint32_t alpha = value >> 24;
    if (alpha < kRleInvisibleBelow) {
        return;
    }
    int channels[3] = {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                       static_cast<int>(value & 0xFF)};
    for (int channel = 0; channel < 3; ++channel) {
        uint8_t& byte = screen[layout.index[channel]];
        byte = static_cast<uint8_t>(alpha > kRleOpaqueAbove ? channels[channel]
                                                            : Mix(byte, channels[channel], static_cast<int>(alpha)));
    }
}

// One row of a decoded frame, unscaled (columns == null) or through a column table.
template <class Pixel, bool sixteenBits>
void ApplyRleRow(uint8_t* row, const uint32_t* source, const int* columns, int count, const Layout& layout)
{
    Pixel* to = reinterpret_cast<Pixel*>(row);
    if (columns) {
        for (int i = 0; i < count; ++i) {
            ApplyRlePixel<Pixel, sixteenBits>(to[i], source[columns[i]], layout);
        }
    } else {
        for (int i = 0; i < count; ++i) {
            ApplyRlePixel<Pixel, sixteenBits>(to[i], source[i], layout);
        }
    }
}

inline void ApplyRleRow24(uint8_t* row, const uint32_t* source, const int* columns, int count, const Layout& layout)
{
    for (int i = 0; i < count; ++i) {
        ApplyRlePixel24(row + i * 3, source[columns ? columns[i] : i], layout);
    }
}

// Shadows: (pixel >> 1) with the bits that crossed a channel boundary cleared.
template <class Pixel>
void DarkenSpan(Pixel* pixels, int count, Pixel keep)
{
    for (int i = 0; i < count; ++i) {
        pixels[i] = static_cast<Pixel>((pixels[i] >> 1) & keep);
    }
}

}  // namespace pixel_blend
