#include <gtest/gtest.h>

#include "util/Randomizer.h"

TEST(Randomizer, ReproducesTheClassicSequence)
{
    Randomizer& random = Randomizer::Instance();
    random.Seed(1);
    EXPECT_EQ(random.Rand(), 41);
    EXPECT_EQ(random.Rand(), 18467);
    EXPECT_EQ(random.Rand(), 6334);
    EXPECT_EQ(random.Rand(), 26500);
}

TEST(Randomizer, DrawsStayInRange)
{
    Randomizer& random = Randomizer::Instance();
    random.Seed(7);
    for (int i = 0; i < 2000; ++i) {
        const int value = random.Rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Randomizer::kMax);
        const float fraction = random.Fraction();
        ASSERT_GE(fraction, 0.0f);
        ASSERT_LE(fraction, 1.0f);
        ASSERT_LT(random.Pick(6), 6);
    }
    EXPECT_EQ(random.Pick(0), 0);
    EXPECT_FALSE(random.Chance(0.0f));
}
