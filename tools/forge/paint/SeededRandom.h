#pragma once

#include <cstdint>

// A small deterministic generator (xorshift64*) so the same seed paints the same picture.
class SeededRandom {
public:
    explicit SeededRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}

    uint64_t Next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1DULL;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double low, double high) { return low + (high - low) * Unit(); }
    // Uniform in [0, count), 0 when count is not positive.
    int Below(int count) { return count > 0 ? static_cast<int>(Next() % static_cast<uint64_t>(count)) : 0; }

private:
    uint64_t state;
};
