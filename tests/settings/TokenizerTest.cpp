#include <climits>

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
    EXPECT_EQ(tokens.NextInt(), 800);
    EXPECT_EQ(tokens.NextInt(), -12);
    EXPECT_EQ(tokens.NextInt(), 5);
    EXPECT_EQ(tokens.NextInt(), -1);
    EXPECT_EQ(tokens.NextInt(), -1);
    EXPECT_EQ(tokens.NextInt(), INT_MAX);
    EXPECT_EQ(tokens.NextInt(), INT_MIN);
    EXPECT_EQ(tokens.NextInt(), 7);
}

TEST(Tokenizer, FloatAndBoolReads)
{
    Tokenizer tokens("1.5 -2.5e1 .25 3.0f +-1 x 2 0 yes -1");
    EXPECT_FLOAT_EQ(tokens.NextFloat(), 1.5f);
    EXPECT_FLOAT_EQ(tokens.NextFloat(), -25.0f);
    EXPECT_FLOAT_EQ(tokens.NextFloat(), 0.25f);
    EXPECT_FLOAT_EQ(tokens.NextFloat(), 3.0f);
    EXPECT_EQ(tokens.NextFloat(), 0.0f);
    EXPECT_EQ(tokens.NextFloat(), 0.0f);
    EXPECT_TRUE(tokens.NextBool());
    EXPECT_FALSE(tokens.NextBool());
    EXPECT_FALSE(tokens.NextBool());
    EXPECT_TRUE(tokens.NextBool());
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
