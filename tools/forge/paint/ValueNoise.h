#pragma once

#include <cstdint>

// Smooth lattice noise in [0, 1] from a hash of the cell corners: no tables, no state.
class ValueNoise {
public:
    explicit ValueNoise(uint32_t seedValue) : seed(seedValue) {}

    double At(double x, double y) const;
    // Sum of octaves at doubling frequency and halving weight, normalised to [0, 1].
    double Fractal(double x, double y, int octaves) const;

private:
    double Corner(int x, int y) const;

    uint32_t seed;
};
