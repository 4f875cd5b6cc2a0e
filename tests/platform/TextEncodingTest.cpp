#include <gtest/gtest.h>

#include "platform/TextEncoding.h"

namespace {

TEST(TextEncodingTest, Utf8BecomesWindows1252WithQuestionMarksForTheRest)
{
    EXPECT_EQ(platform::Cp1252FromUtf8("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"),
              "\xE4\xF6\xFC\xC4\xD6\xDC\xDF");
    // The euro sign and the quotes use the extra range.
    EXPECT_EQ(platform::Cp1252FromUtf8("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(platform::Cp1252FromUtf8("\xE2\x80\x9E" "a" "\xE2\x80\x9C"), "\x84" "a" "\x93");
    // Characters outside the code page become question marks.
    EXPECT_EQ(platform::Cp1252FromUtf8("a\xE2\x98\x83" "b"), "a?b");   // snowman
    EXPECT_EQ(platform::Cp1252FromUtf8("\xC3"), "?");                // cut-off sequence
}

TEST(TextEncodingTest, RoundTripKeepsEveryDefinedCode)
{
    std::string all;
    for (int c = 1; c < 256; ++c) {
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) {
            all += static_cast<char>(c);
        }
    }
    EXPECT_EQ(platform::Cp1252FromUtf8(platform::Utf8FromCp1252(all)), all);
}

}  // namespace
