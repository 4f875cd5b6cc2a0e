#pragma once

#include <cstdint>

#include "util/Singleton.h"

// The game's one source of random numbers: the classic C runtime generator, reproduced
// exactly (state x 214013 + 2531011, bits 16 to 30 of the new state), so sequences match the
// original tuning. Seeded with the time on creation; tests seed it themselves. Main thread only.
class Randomizer : public Singleton<Randomizer> {
public:
    static constexpr int kMax = 32767;

    Randomizer();

    void Seed(uint32_t seed) { state = seed; }
    // 0 to kMax.
    int Rand();
    // Rand() / 32767: 0.0 to 1.0 inclusive.
    float Fraction();
    // Rand() modulo count; 0 when count is not positive.
    int Pick(int count);
    // True with the given probability: Fraction() < probability.
    bool Chance(float probability);

private:
    uint32_t state = 1;
};
