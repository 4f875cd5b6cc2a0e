#pragma once

#include <cstdint>
#include <cstring>

#include "platform/PixelSurface.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Row kernels of the frame buffer: fills, colour-keyed copies and nearest-neighbour stretches
// for 2-, 3- and 4-byte pixels. Stretches walk the source in 16.16 fixed point.
namespace platform {

inline uint32_t ReadPixelValue(const uint8_t* pixel, int bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, pixel, static_cast<size_t>(bytes));
    return value;
}

inline void WritePixelValue(uint8_t* pixel, int bytes, uint32_t value)
{
    std::memcpy(pixel, &value, static_cast<size_t>(bytes));
}

template <class Pixel>
void FillPixels(uint8_t* row, int count, Pixel value)
{
    Pixel* out = reinterpret_cast<Pixel*>(row);
    for (int i = 0; i < count; ++i) {
        out[i] = value;
    }
}

// True when every byte of the pixel value is the same, so a row can be filled with memset.
inline bool IsByteUniform(uint32_t color, int bytes)
{
    uint32_t low = color & 0xFF;
    for (int i = 1; i < bytes; ++i) {
        if (((color >> (8 * i)) & 0xFF) != low) {
            return false;
        }
    }
    return true;
}

inline void FillRow(uint8_t* row, int count, int bytes, uint32_t color)
{
    if (IsByteUniform(color, bytes)) {
        std::memset(row, static_cast<int>(color & 0xFF), static_cast<size_t>(count) * bytes);
    } else if (bytes == 2) {
        FillPixels<uint16_t>(row, count, static_cast<uint16_t>(color));
    } else if (bytes == 4) {
        FillPixels<uint32_t>(row, count, color);
    } else {
        for (int i = 0; i < count; ++i) {
            WritePixelValue(row + i * 3, 3, color);
        }
    }
}

#if defined(__SSE2__)
// Sixteen bytes of source where the key does not match replace the destination's.
inline void KeyBlock(uint8_t* to, const uint8_t* from, __m128i transparent)
{
    __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    int mask = _mm_movemask_epi8(transparent);
    if (mask == 0xFFFF) {
        return;
    }
    __m128i* out = reinterpret_cast<__m128i*>(to);
    if (mask == 0) {
        _mm_storeu_si128(out, source);
        return;
    }
    __m128i kept = _mm_and_si128(transparent, _mm_loadu_si128(out));
    _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(transparent, source)));
}
#endif

inline void KeyRow16(uint16_t* to, const uint16_t* from, int count, uint16_t key)
{
    int i = 0;
#if defined(__SSE2__)
    __m128i keys = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= count; i += 8) {
        __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        KeyBlock(reinterpret_cast<uint8_t*>(to + i), reinterpret_cast<const uint8_t*>(from + i),
                 _mm_cmpeq_epi16(source, keys));
    }
#endif
    for (; i < count; ++i) {
        if (from[i] != key) {
            to[i] = from[i];
        }
    }
}

inline void KeyRow32(uint32_t* to, const uint32_t* from, int count, uint32_t key)
{
    int i = 0;
#if defined(__SSE2__)
    __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    for (; i + 4 <= count; i += 4) {
        __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        KeyBlock(reinterpret_cast<uint8_t*>(to + i), reinterpret_cast<const uint8_t*>(from + i),
                 _mm_cmpeq_epi32(source, keys));
    }
#endif
    for (; i < count; ++i) {
        if (from[i] != key) {
            to[i] = from[i];
        }
    }
}

inline void KeyRow(uint8_t* to, const uint8_t* from, int count, int bytes, uint32_t key)
{
    if (bytes == 2) {
        KeyRow16(reinterpret_cast<uint16_t*>(to), reinterpret_cast<const uint16_t*>(from), count,
                 static_cast<uint16_t>(key));
    } else if (bytes == 4) {
        KeyRow32(reinterpret_cast<uint32_t*>(to), reinterpret_cast<const uint32_t*>(from), count, key);
    } else {
        for (int i = 0; i < count; ++i) {
            uint32_t value = ReadPixelValue(from + i * 3, 3);
            if (value != key) {
                WritePixelValue(to + i * 3, 3, value);
            }
        }
    }
}

// Fixed-point walk of a source rectangle across a destination rectangle, sampling pixel centres.
struct ScaleSteps {
    uint32_t stepU = 0;
    uint32_t stepV = 0;
    uint32_t startU = 0;
    uint32_t startV = 0;
};

inline ScaleSteps MakeScaleSteps(const PixelRect& to, const PixelRect& from)
{
    ScaleSteps steps;
    steps.stepU = static_cast<uint32_t>((static_cast<uint64_t>(from.Width()) << 16) / to.Width());
    steps.stepV = static_cast<uint32_t>((static_cast<uint64_t>(from.Height()) << 16) / to.Height());
    steps.startU = steps.stepU / 2;
    steps.startV = steps.stepV / 2;
    return steps;
}

template <class Pixel, bool keyed>
void StretchPixels(uint8_t* row, const uint8_t* source, int count, uint32_t u, uint32_t stepU, Pixel key)
{
    Pixel* out = reinterpret_cast<Pixel*>(row);
    const Pixel* in = reinterpret_cast<const Pixel*>(source);
    for (int i = 0; i < count; ++i, u += stepU) {
        Pixel value = in[u >> 16];
        if (!keyed || value != key) {
            out[i] = value;
        }
    }
}

inline void StretchRow24(uint8_t* row, const uint8_t* source, int count, uint32_t u, uint32_t stepU, bool keyed,
                         uint32_t key)
{
    for (int i = 0; i < count; ++i, u += stepU) {
        uint32_t value = ReadPixelValue(source + (u >> 16) * 3, 3);
        if (!keyed || value != key) {
            WritePixelValue(row + i * 3, 3, value);
        }
    }
}

inline void StretchRow(uint8_t* row, const uint8_t* source, int count, int bytes, uint32_t u, uint32_t stepU,
                       bool keyed, uint32_t key)
{
    if (bytes == 2) {
        auto key16 = static_cast<uint16_t>(key);
        keyed ? StretchPixels<uint16_t, true>(row, source, count, u, stepU, key16)
              : StretchPixels<uint16_t, false>(row, source, count, u, stepU, key16);
    } else if (bytes == 4) {
        keyed ? StretchPixels<uint32_t, true>(row, source, count, u, stepU, key)
              : StretchPixels<uint32_t, false>(row, source, count, u, stepU, key);
    } else {
        StretchRow24(row, source, count, u, stepU, keyed, key);
    }
}

}  // namespace platform
