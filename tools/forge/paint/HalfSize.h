#pragma once

#include "core/Canvas.h"

// Halves a picture by averaging 2 x 2 blocks, weighting colours by coverage so edges stay clean.
inline Canvas HalfSize(const Canvas& source)
{
    Canvas half(source.Width() / 2, source.Height() / 2);
    for (int y = 0; y < half.Height(); ++y) {
        for (int x = 0; x < half.Width(); ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int k = 0; k < 4; ++k) {
                const Rgba& p = source.At(2 * x + k % 2, 2 * y + k / 2);
                r += p.r * p.a;
                g += p.g * p.a;
                b += p.b * p.a;
                a += p.a;
            }
            if (a > 0) {
                half.At(x, y) = {static_cast<uint8_t>(r / a), static_cast<uint8_t>(g / a), static_cast<uint8_t>(b / a),
                                 static_cast<uint8_t>(a / 4)};
            }
        }
    }
    return half;
}
