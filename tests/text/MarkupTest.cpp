#include <gtest/gtest.h>

#include "spritemanager/SpriteTestSupport.h"
#include "text/MarkupTokenizer.h"
#include "text/TextTestSupport.h"

namespace {

std::vector<std::string> Texts(std::string_view markup)
{
    std::vector<MarkupToken> tokens;
    size_t count = MarkupTokenizer::Tokenize(markup, tokens);
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i) {
        texts.push_back(std::to_string(tokens[i].kind) + ":" + tokens[i].text);
    }
    return texts;
}

TEST(MarkupTokenizer, SplitsWordsSpacesTagsAndEntities)
{
    EXPECT_EQ(Texts("Hallo <font big>Welt</font>  du"),
              (std::vector<std::string>{"0:Hallo", "1: ", "2:font big", "0:Welt", "2:/font", "1: ", "1: ", "0:du"}));
    EXPECT_EQ(Texts("<>a<br>"), (std::vector<std::string>{"0:a", "2:br"}));
    EXPECT_TRUE(Texts("").empty());
    // An unclosed tag is dropped.
    EXPECT_EQ(Texts("a <br"), (std::vector<std::string>{"0:a", "1: "}));
    // Entities become brackets and stray ampersands vanish.
    EXPECT_EQ(Texts("a&lt;b&gt;c"), (std::vector<std::string>{"0:a<b>c"}));
    EXPECT_EQ(Texts("R&D &amp &"), (std::vector<std::string>{"0:RD", "1: ", "0:amp", "1: "}));
    EXPECT_EQ(Texts("&lt"), (std::vector<std::string>{"0:lt"}));
}

// Fonts "big" (line height 20, the default) and "small" (10); a and b are 4 wide, a space 5.
class MarkupLayoutTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        Text().AddFont(MeasuringFont(20), "default");
        Text().AddFont(MeasuringFont(10), "small");
        Text().SetRect(100, 50, 100, 30);
    }

    static TextDisplay& Text() { return TextDisplay::Instance(); }

    // The laid-out words only, as "text@x,y".
    static std::vector<std::string> Words(const std::string& markup)
    {
        std::vector<std::string> words;
        for (const MarkupToken& token : Text().LayoutMarkup(markup)) {
            if (token.kind == MarkupToken::kWord) {
                words.push_back(token.text + "@" + std::to_string(token.x) + "," + std::to_string(token.y));
            }
        }
        return words;
    }
};

TEST_F(MarkupLayoutTest, WordsRunLeftToRightAndLinesStackByTheirHeight)
{
    EXPECT_EQ(Words("ab ab"), (std::vector<std::string>{"ab@100,50", "ab@113,50"}));
    // Two spaces take two space widths inside a line.
    EXPECT_EQ(Words("ab  ab"), (std::vector<std::string>{"ab@100,50", "ab@118,50"}));
    // Spaces at the start of a line take no room.
    EXPECT_EQ(Words("  ab"), (std::vector<std::string>{"ab@100,50"}));
    // Line breaks stack lines by their height; an empty line is as tall as the font in force, so a
    // doubled break leaves a blank line.
    EXPECT_EQ(Words("<br>ab"), (std::vector<std::string>{"ab@100,70"}));
    EXPECT_EQ(Words("a<br>b<br><br>a"), (std::vector<std::string>{"a@100,50", "b@100,70", "a@100,110"}));
    // A line of small words only is as tall as the small font.
    EXPECT_EQ(Words("<font small>a<br>b</font>"), (std::vector<std::string>{"a@100,50", "b@100,60"}));
}

TEST_F(MarkupLayoutTest, OverflowStartsANewLineDroppingTheSpaceEvenForWordsWiderThanTheRectangle)
{
    Text().SetRect(0, 0, 12, 30);
    std::vector<MarkupToken> tokens = Text().LayoutMarkup("ab ab");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[1].kind, MarkupToken::kDroppedSpace);
    EXPECT_EQ(tokens[1].line, 1);
    EXPECT_EQ(tokens[2].line, 1);
    EXPECT_EQ(tokens[2].x, 0);
    EXPECT_EQ(tokens[2].y, 20);
    Text().SetRect(10, 0, 5, 30);
    EXPECT_EQ(Words("abab"), (std::vector<std::string>{"abab@10,20"}));
    // The space that overflowed opened a line on which the wide word does not fit either.
    EXPECT_EQ(Words("a abab"), (std::vector<std::string>{"a@10,0", "abab@10,40"}));
}

TEST_F(MarkupLayoutTest, HorizontalAlignmentShiftsWholeLines)
{
    EXPECT_EQ(Words("<center>ab</center>"), (std::vector<std::string>{"ab@146,50"}));
    // A centre tag after words opens a line of its own; the closing tag does not break.
    EXPECT_EQ(Words("a<center>ab</center>"), (std::vector<std::string>{"a@100,50", "ab@146,70"}));
    EXPECT_EQ(Words("<halign right>ab ab</halign>"), (std::vector<std::string>{"ab@179,50", "ab@192,50"}));
    EXPECT_EQ(Words("<halign middle>a</halign>"), (std::vector<std::string>{"a@148,50"}));

    Text().SetHorizontalAlignment(kAlignCenter);
    EXPECT_EQ(Words("ab"), (std::vector<std::string>{"ab@146,50"}));
    EXPECT_EQ(Words("<halign left>ab</halign>"), (std::vector<std::string>{"ab@100,50"}));
}

TEST_F(MarkupLayoutTest, VerticalAlignmentPlacesSmallWordsInATallLine)
{
    EXPECT_EQ(Words("a <font small>b</font>"), (std::vector<std::string>{"a@100,50", "b@109,50"}));
    EXPECT_EQ(Words("a <font small><valign bottom>b</valign></font>"),
              (std::vector<std::string>{"a@100,50", "b@109,60"}));
    EXPECT_EQ(Words("a <font small><valign center>b</valign></font>"),
              (std::vector<std::string>{"a@100,50", "b@109,55"}));
    Text().SetVerticalAlignment(kAlignBottom);
    EXPECT_EQ(Words("a <font small>b<valign top>a</valign></font>"),
              (std::vector<std::string>{"a@100,50", "b@109,60", "a@113,50"}));
}

TEST_F(MarkupLayoutTest, FontTagsMeasureInTheirFontAndUnknownFontsKeepTheCurrent)
{
    std::vector<MarkupToken> tokens = Text().LayoutMarkup("<font small>a</font>b<font nowhere>a</font>");
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[1].font, Text().FindFont("small"));
    EXPECT_EQ(tokens[1].height, 10);
    EXPECT_EQ(tokens[3].font, Text().FindFont("default"));
    EXPECT_EQ(tokens[5].font, Text().FindFont("default"));
    EXPECT_TRUE(Logged("Unknown font <nowhere>"));
    // A closing tag without an opening one keeps the current font.
    EXPECT_EQ(Text().LayoutMarkup("</font>a")[1].font, Text().FindFont("default"));
    EXPECT_EQ(Text().GetFont(), Text().FindFont("default"));
}

TEST_F(MarkupLayoutTest, PushAndPopSaveOnlyTheFont)
{
    Text().PushFont();
    EXPECT_TRUE(Text().SetFont("small"));
    EXPECT_FALSE(Text().SetFont("nowhere"));
    EXPECT_EQ(Text().GetFont(), Text().FindFont("small"));
    Text().SetRect(1, 2, 3, 4);
    Text().PopFont();
    EXPECT_EQ(Text().GetFont(), Text().FindFont("default"));
    EXPECT_EQ(Text().GetRect().width, 3);
    Text().PopFont();
    EXPECT_TRUE(Logged("TextDisplay::PopFont: No font pushed!"));
    EXPECT_EQ(Text().GetTextWidth("small", "ab"), 8);
    EXPECT_EQ(Text().GetTextWidth("nowhere", "ab"), 0);
}

}  // namespace
