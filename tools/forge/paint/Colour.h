#pragma once

#include <algorithm>
#include <cmath>

#include "core/Canvas.h"

// Colour arithmetic shared by the forge's painters.
namespace paint {

inline uint8_t ClampByte(double value) { return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

constexpr Rgba Rgb(int r, int g, int b, int a = 255)
{
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), static_cast<uint8_t>(a)};
}

// Linear blend from a (t = 0) to b (t = 1), alpha included.
inline Rgba Mix(Rgba a, Rgba b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {ClampByte(a.r + (b.r - a.r) * t), ClampByte(a.g + (b.g - a.g) * t), ClampByte(a.b + (b.b - a.b) * t),
            ClampByte(a.a + (b.a - a.a) * t)};
}

// Multiplies the colour channels: below 1 darkens, above 1 brightens.
inline Rgba Scale(Rgba c, double factor)
{
    return {ClampByte(c.r * factor), ClampByte(c.g * factor), ClampByte(c.b * factor), c.a};
}

// The colour seen when top is laid over under, as Canvas::Blend does.
inline Rgba Over(Rgba under, Rgba top)
{
    int a = top.a;
    auto mix = [a](int t, int b) { return static_cast<uint8_t>((t * a + b * (255 - a) + 127) / 255); };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b),
            static_cast<uint8_t>(a + under.a * (255 - a) / 255)};
}

inline Rgba WithAlpha(Rgba c, double alpha) { return {c.r, c.g, c.b, ClampByte(alpha * 255.0)}; }

}  // namespace paint
