#pragma once

#include <cstdint>

// The forge's own noise source: xorshift64*, seeded per sound so every file is reproducible
// on its own, whatever else the forge renders before it.
class SoundRandom {
public:
    explicit SoundRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    uint64_t Next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
    // In [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // In [-1, 1).
    float Bipolar() { return static_cast<float>(Uniform() * 2.0 - 1.0); }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

private:
    uint64_t state;
};
