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

// Run-length frames are drawn from rows of palette indices through a table made per draw
// from the frame's palettes: alpha below 16 leaves the screen, above 240 is opaque.
inline constexpr int kRleInvisibleBelow = 16;
inline constexpr int kRleOpaqueAbove = 240;

struct RleTable {
    uint32_t opaque[256];         // the colour as a screen pixel
    uint8_t channels[256][3];     // red, green, blue in screen units (5 bits on 16-bit screens)
    uint8_t alpha[256];           // by alpha index, or by colour index for frames without alpha
};

// Colours on 16-bit screens are rounded to the nearest 5-bit step (black stays black).
// Without an alpha frame every colour but black is opaque.
inline void BuildRleTable(const uint32_t* palette, const uint32_t* alphaPalette, bool hasAlpha, int depth,
                          const Layout& layout, RleTable& table)
{
    for (int i = 0; i < 256; ++i) {
        uint32_t entry = palette ? palette[i] : static_cast<uint32_t>(i * 0x010101);
        int rgb[3] = {static_cast<int>((entry >> 16) & 0xFF), static_cast<int>((entry >> 8) & 0xFF),
                      static_cast<int>(entry & 0xFF)};
        bool black = (entry & 0xFFFFFF) == 0;
        uint32_t opaque = 0;
        for (int channel = 0; channel < 3; ++channel) {
            int value = rgb[channel];
            if (depth == 16) {
                value = black ? 0 : (value + 4 > 255 ? 255 : (value + 4) & ~7) >> 3;
            }
            table.channels[i][channel] = static_cast<uint8_t>(value);
            opaque |= depth == 24 ? static_cast<uint32_t>(value) << (8 * layout.index[channel])
                                  : static_cast<uint32_t>(value) << layout.shift[channel];
        }
        table.opaque[i] = opaque;
        if (hasAlpha) {
            table.alpha[i] = static_cast<uint8_t>(alphaPalette ? alphaPalette[i] & 0xFF : static_cast<uint32_t>(i));
        } else {
            table.alpha[i] = entry != 0 ? 255 : 0;
        }
    }
}

// One destination row: colour and alpha indices of the frame row, through a column table
// when scaled (columns == null: pixel i takes index i).
template <class Pixel>
void ApplyRleRow(uint8_t* row, const uint8_t* colors, const uint8_t* alphas, const int* columns, int count,
                 const RleTable& table, const Layout& layout)
{
    Pixel* to = reinterpret_cast<Pixel*>(row);
    for (int i = 0; i < count; ++i) {
        int source = columns ? columns[i] : i;
        int alpha = table.alpha[alphas[source]];
        if (alpha < kRleInvisibleBelow) {
            continue;
        }
        int color = colors[source];
        if (alpha > kRleOpaqueAbove) {
            to[i] = static_cast<Pixel>(table.opaque[color]);
            continue;
        }
        const uint8_t* rgb = table.channels[color];
        to[i] = MixPixel<Pixel>(to[i], rgb[kRed], rgb[kGreen], rgb[kBlue], alpha, layout);
    }
}

inline void ApplyRleRow24(uint8_t* row, const uint8_t* colors, const uint8_t* alphas, const int* columns, int count,
                          const RleTable& table, const Layout& layout)
{
    for (int i = 0; i < count; ++i, row += 3) {
        int source = columns ? columns[i] : i;
        int alpha = table.alpha[alphas[source]];
        if (alpha < kRleInvisibleBelow) {
            continue;
        }
        const uint8_t* rgb = table.channels[colors[source]];
        for (int channel = 0; channel < 3; ++channel) {
            uint8_t& byte = row[layout.index[channel]];
            byte = static_cast<uint8_t>(alpha > kRleOpaqueAbove ? rgb[channel] : Mix(byte, rgb[channel], alpha));
        }
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
