#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "settings/Tokenizer.h"

TEST(Tokenizer, SplitsAtRunsOfBlanksAndTabs)
{
    Tokenizer tokens("  key \t\t value\tmore  ");
    ASSERT_EQ(tokens.Count(), 3);
    EXPECT_EQ(tokens.Token(0), "key");
    EXPECT_EQ(tokens.Token(1), "value");
    EXPECT_EQ(tokens.Token(2), "more");
    EXPECT_EQ(tokens.Token(3), "");
    EXPECT_EQ(tokens.Token(-1), "");
    EXPECT_EQ(Tokenizer(" \t ").Count(), 0);
}

TEST(Tokenizer, CursorStopsAtTheEnd)
{
    Tokenizer tokens("a 2");
    tokens.Skip(1);
    EXPECT_EQ(tokens.Remaining(), 1);
    EXPECT_EQ(tokens.NextInt(), 2);
    EXPECT_EQ(tokens.Remaining(), 0);
    EXPECT_EQ(tokens.NextString(), "");
    EXPECT_EQ(tokens.NextInt(), -1);
    EXPECT_EQ(tokens.NextFloat(), 0.0f);
    EXPECT_FALSE(tokens.NextBool());
    EXPECT_EQ(tokens.Remaining(), 0);
    tokens.Skip(5);
    EXPECT_EQ(tokens.Remaining(), 0);
}

TEST(Tokenizer, IntReadsLikeScanningPercentD)
{
    Tokenizer tokens("800px -12 +5 abc - 99999999999 -99999999999 007");
    std::vector<int> read;
    while (tokens.Remaining() > 0) {
        read.push_back(tokens.NextInt());
    }
    EXPECT_EQ(read, (std::vector<int>{800, -12, 5, -1, -1, INT_MAX, INT_MIN, 7}));
}

TEST(Tokenizer, FloatAndBoolReads)
{
    Tokenizer tokens("1.5 -2.5e1 .25 3.0f +-1 x 2 0 yes -1");
    std::vector<float> floats;
    for (int i = 0; i < 6; ++i) {
        floats.push_back(tokens.NextFloat());
    }
    EXPECT_EQ(floats, (std::vector<float>{1.5f, -25.0f, 0.25f, 3.0f, 0.0f, 0.0f})) << "all exact in binary";
    std::vector<bool> bools;
    while (tokens.Remaining() > 0) {
        bools.push_back(tokens.NextBool());
    }
    EXPECT_EQ(bools, (std::vector<bool>{true, false, false, true}));
}

TEST(Tokenizer, ParseLeavesTheValueAloneOnFailure)
{
    int number = 42;
    float real = 4.5f;
    EXPECT_FALSE(Tokenizer::ParseInt("px", number));
    EXPECT_FALSE(Tokenizer::ParseFloat("", real));
    EXPECT_EQ(number, 42);
    EXPECT_EQ(real, 4.5f);
}
