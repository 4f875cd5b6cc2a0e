#include <gtest/gtest.h>

#include <vector>

#include "util/Randomizer.h"

TEST(Randomizer, ReproducesTheClassicSequenceAndDrawsStayInRange)
{
    Randomizer& random = Randomizer::Instance();
    random.Seed(1);
    EXPECT_EQ((std::vector<int>{random.Rand(), random.Rand(), random.Rand(), random.Rand()}),
              (std::vector<int>{41, 18467, 6334, 26500}));
    for (int i = 0; i < 2000; ++i) {
        const float fraction = random.Fraction();
        ASSERT_GE(fraction, 0.0f);
        ASSERT_LE(fraction, 1.0f);
        ASSERT_LT(random.Pick(6), 6);
    }
    EXPECT_EQ(random.Pick(0), 0);
    EXPECT_FALSE(random.Chance(0.0f));
}
