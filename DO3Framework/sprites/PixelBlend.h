#pragma once

#include <cstdint>
#include <cstring>

#include "display/ScreenFormat.h"
#include "images/ImageUtil.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

template <class Pixel>
inline void BlendAlphaPixel(Pixel& screen, Pixel sprite, int alpha, const Layout& layout)
{
    if (alpha == 0) {
        return;
    }
    if (alpha == 255) {
        screen = sprite;
        return;
    }
    screen = MixPixel<Pixel>(screen, ChannelOf(sprite, layout, kRed), ChannelOf(sprite, layout, kGreen),
                             ChannelOf(sprite, layout, kBlue), alpha, layout);
}

// Alpha sprites: sprite pixels in the screen format, one alpha byte per pixel. Blocks of
// sixteen pixels that are all invisible or all opaque are skipped or copied whole.
template <class Pixel>
void BlendAlphaRow(Pixel* to, const Pixel* from, const uint8_t* alpha, int count, const Layout& layout)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi8(static_cast<char>(0xFF));
    for (; i + 16 <= count; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(block, zero)) == 0xFFFF) {
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(block, full)) == 0xFFFF) {
            std::memcpy(to + i, from + i, 16 * sizeof(Pixel));
            continue;
        }
        for (int j = i; j < i + 16; ++j) {
            BlendAlphaPixel<Pixel>(to[j], from[j], alpha[j], layout);
        }
    }
#endif
    for (; i < count; ++i) {
        BlendAlphaPixel<Pixel>(to[i], from[i], alpha[i], layout);
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
    uint8_t alpha[256];           // by colour index, for frames without alpha
};


// The decoder's colours (ImageUtil::RunLengthColors) in screen units; the alpha by index is
// used for frames without alpha.
inline void BuildRleTable(const uint32_t* palette, int depth, const Layout& layout, RleTable& table)
{
    uint32_t colors[256];
    ImageUtil::RunLengthColors(palette, depth, false, colors);
    for (int i = 0; i < 256; ++i) {
        uint32_t entry = colors[i];
        int rgb[3] = {ColorRed(entry), ColorGreen(entry), ColorBlue(entry)};
        uint32_t opaque = 0;
        for (int channel = 0; channel < 3; ++channel) {
            int value = depth == 16 ? rgb[channel] >> 3 : rgb[channel];
            table.channels[i][channel] = static_cast<uint8_t>(value);
            opaque |= depth == 24 ? static_cast<uint32_t>(value) << (8 * layout.index[channel])
                                  : static_cast<uint32_t>(value) << layout.shift[channel];
        }
        table.opaque[i] = opaque;
        table.alpha[i] = static_cast<uint8_t>(entry >> 24);
    }
}

template <class Pixel>
inline void ApplyRlePixel(Pixel& screen, int color, int alpha, const RleTable& table, const Layout& layout)
{
    if (alpha < kRleInvisibleBelow) {
        return;
    }
    if (alpha > kRleOpaqueAbove) {
        screen = static_cast<Pixel>(table.opaque[color]);
        return;
    }
    const uint8_t* rgb = table.channels[color];
    screen = MixPixel<Pixel>(screen, rgb[kRed], rgb[kGreen], rgb[kBlue], alpha, layout);
}

// One destination row from colour indices and alpha values. Blocks of sixteen pixels that are
// all invisible are skipped and blocks that are all opaque copied without testing each pixel.
template <class Pixel>
void ApplyRleRow(uint8_t* row, const uint8_t* colors, const uint8_t* alphas, int count, const RleTable& table,
                 const Layout& layout)
{
    Pixel* to = reinterpret_cast<Pixel*>(row);
    int i = 0;
#if defined(__SSE2__)
    const __m128i invisibleLimit = _mm_set1_epi8(kRleInvisibleBelow - 1);
    const __m128i opaqueLimit = _mm_set1_epi8(static_cast<char>(kRleOpaqueAbove + 1));
    for (; i + 16 <= count; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(alphas + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(block, invisibleLimit), invisibleLimit)) == 0xFFFF) {
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(block, opaqueLimit), opaqueLimit)) == 0xFFFF) {
            for (int j = i; j < i + 16; ++j) {
                to[j] = static_cast<Pixel>(table.opaque[colors[j]]);
            }
            continue;
        }
        for (int j = i; j < i + 16; ++j) {
            ApplyRlePixel<Pixel>(to[j], colors[j], alphas[j], table, layout);
        }
    }
#endif
    for (; i < count; ++i) {
        ApplyRlePixel<Pixel>(to[i], colors[i], alphas[i], table, layout);
    }
}

inline void ApplyRleRow24(uint8_t* row, const uint8_t* colors, const uint8_t* alphas, int count,
                          const RleTable& table, const Layout& layout)
{
    for (int i = 0; i < count; ++i, row += 3) {
        int alpha = alphas[i];
        if (alpha < kRleInvisibleBelow) {
            continue;
        }
        const uint8_t* rgb = table.channels[colors[i]];
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

// 24-bit pixels hold one channel per byte: halving each byte is the same rule.
inline void DarkenSpan24(uint8_t* bytes, int count)
{
    for (int i = 0; i < count * 3; ++i) {
        bytes[i] = static_cast<uint8_t>(bytes[i] >> 1);
    }
}

}  // namespace pixel_blend
