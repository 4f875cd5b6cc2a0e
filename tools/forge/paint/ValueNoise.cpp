#include "paint/ValueNoise.h"

#include <cmath>

namespace {

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double ValueNoise::Corner(int x, int y) const
{
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x27D4EB2Du) ^ (static_cast<uint32_t>(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double ValueNoise::At(double x, double y) const
{
    double fx = std::floor(x);
    double fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    double tx = Smooth(x - fx);
    double ty = Smooth(y - fy);
    double top = Corner(ix, iy) + (Corner(ix + 1, iy) - Corner(ix, iy)) * tx;
    double bottom = Corner(ix, iy + 1) + (Corner(ix + 1, iy + 1) - Corner(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double ValueNoise::Fractal(double x, double y, int octaves) const
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += At(x, y) * weight;
        total += weight;
        weight *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return total > 0.0 ? sum / total : 0.0;
}
