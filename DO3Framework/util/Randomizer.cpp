#include "util/Randomizer.h"

#include <ctime>

Randomizer::Randomizer()
{
    Seed(static_cast<uint32_t>(std::time(nullptr)));
}

int Randomizer::Rand()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

float Randomizer::Fraction()
{
    return static_cast<float>(Rand()) * 3.051851e-5f;
}

int Randomizer::Pick(int count)
{
    const int value = Rand();
    return count > 0 ? value % count : 0;
}

bool Randomizer::Chance(float probability)
{
    return Fraction() < probability;
}
