#include <gtest/gtest.h>

#include <string>

#include "files/TextScrambler.h"

TEST(TextScramblerTest, FirstBytesMatchTheKeystreamWorkedByHandAndEveryByteSurvivesTheRoundTrip)
{
    // 'A' 0x41 -> pairs swapped 0x82, XOR 0x27 = 0xA5; key 0x4177: 'B' 0x42 -> 0x81 ^ 0x77 = 0xF6;
    // key 0xC467: 'C' 0x43 -> 0x83 ^ 0x67 = 0xE4.
    std::string text = "ABC";
    TextScrambler::Scramble(text.data(), text.size());
    EXPECT_EQ(text, "\xA5\xF6\xE4");
    TextScrambler::Unscramble(text.data(), text.size());
    EXPECT_EQ(text, "ABC");

    std::string all;
    for (int i = 0; i < 256 * 3; ++i) {
        all.push_back(static_cast<char>(i));
    }
    std::string copy = all;
    TextScrambler::Scramble(copy.data(), copy.size());
    EXPECT_NE(copy, all);
    TextScrambler::Unscramble(copy.data(), copy.size());
    EXPECT_EQ(copy, all);
    // It applies to names ending in .txt.
    EXPECT_TRUE(TextScrambler::AppliesTo("data\\config.txt"));
    EXPECT_TRUE(TextScrambler::AppliesTo("DATA\\SFX.TXT"));
    EXPECT_TRUE(TextScrambler::AppliesTo("txt"));
    EXPECT_FALSE(TextScrambler::AppliesTo("tx"));
    EXPECT_FALSE(TextScrambler::AppliesTo("data\\a.bmp"));
    EXPECT_FALSE(TextScrambler::AppliesTo("data\\txt.ogg"));
}
