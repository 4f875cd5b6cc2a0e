#include <gtest/gtest.h>

#include "spritemanager/SpriteTestSupport.h"
#include "text/FontLoaderUtil.h"
#include "text/TextTestSupport.h"

namespace {

class FontTest : public GraphicsTest {};

TEST_F(FontTest, GlyphsAreCutAtEmptyColumnsAndWidthsCountSpacingAndSpaces)
{
    Font font;
    font.ScanGlyphs(Picture({"......",
                             ".##..#",
                             "..#..#",
                             "......"}),
                    "xy", "pic");
    // The last column: a glyph never reaches past the picture.
    EXPECT_EQ(Spans(font, "xyz"), "1-2 5-5 -");
    const Glyph* x = font.FindGlyph('x');
    EXPECT_EQ((std::vector<int>{x->top, x->bottom, x->yOffset}), (std::vector<int>{1, 2, 1}));
    // Widths count the spacing and spaces.
    std::unique_ptr<Font> measuring = MeasuringFont(20);
    EXPECT_EQ(measuring->GetCharWidth('a'), 4);
    EXPECT_EQ(measuring->GetCharWidth(' '), 5);
    EXPECT_EQ(measuring->GetCharWidth('?'), 0);
    EXPECT_EQ(measuring->GetTextWidth("ab a?"), 4 + 4 + 5 + 4);
}

TEST_F(FontTest, OneColumnGlyphTakesTheColumnAfterIt)
{
    Font font;
    font.ScanGlyphs(Picture({"#.#.#",
                             "#.#.#"}),
                    "ijk", "pic");
    EXPECT_EQ(Spans(font, "ijk"), "0-1 2-3 4-4");

    // A glyph right after a one-column glyph's extra column starts where that column ends.
    Font tight;
    tight.ScanGlyphs(Picture({"#.##"}), "ab", "pic");
    EXPECT_EQ(Spans(tight, "ab"), "0-1 2-3");
}

TEST_F(FontTest, TooManyGlyphsStopAtTheLastCharacterAndDoubleDefinitionsKeepTheFirst)
{
    Font font;
    font.ScanGlyphs(Picture({"#.#.#.#"}), "ab", "data\\fonts\\pic");
    EXPECT_EQ(Spans(font, "ab"), "0-1 2-3");
    EXPECT_TRUE(Logged("Font::Create: Too many chars(>2) in the Font-Graphic <data\\fonts\\pic>!"));
    std::string log = Log();
    EXPECT_EQ(log.find("Too many chars", log.find("Too many chars") + 1), std::string::npos);

    // A character defined twice keeps its first glyph; its second cell is skipped.
    Font twice;
    twice.ScanGlyphs(Picture({"#.##.###"}), "}}a", "pic");
    EXPECT_EQ(Spans(twice, "}a"), "0-1 5-7");
    EXPECT_TRUE(Logged("Font::Create: 1 characters double defined in the character-set of <pic> <}>"));
}

TEST_F(FontTest, LoadedFontQueuesGlyphRectanglesAtTheTextDepthAndAMissingPictureIsNoFont)
{
    // Artwork marks the empty background with magenta.
    constexpr Color M = 0xFF00FF;
    constexpr Color W = 0xFFFFFF;
    dir.Write("data/fonts/tiny.bmp", Bmp24(5, 3, {M, M, M, M, M,
                                                  W, M, W, W, M,
                                                  W, M, M, W, M}));
    ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont("tiny", 6, 2, 12, "ab"));
    const Font* font = TextDisplay::Instance().FindFont("tiny");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetSpaceWidth(), 6);
    EXPECT_EQ(font->GetSpacing(), 2);
    EXPECT_EQ(font->GetLineHeight(), 12);
    const SpriteInfo* info = SpriteManager::Instance().FindSpriteInfo("Font_tiny");
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(info->crop);

    font->DrawText(100, 50, "b a");
    const auto& queue = RenderEngine::Instance().GetDepthQueue();
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_FLOAT_EQ(queue[0].depth, Font::kTextDepth);
    const DrawInfo& b = queue[0].info;
    EXPECT_EQ((std::vector<int>{b.srcX, b.srcY, b.srcWidth, b.destX, b.destY}), (std::vector<int>{2, 1, 2, 100, 51}));
    // "b" is 2 + 1 wide, the space 6.
    EXPECT_EQ(queue[1].info.destX, 109);
    EXPECT_EQ(queue[1].info.srcX, 0);

    EXPECT_FALSE(FontLoaderUtil::Instance().LoadFont("absent", 6, 2, 12, "ab"));
    EXPECT_TRUE(Logged("Font::Create: Failed to load image <data\\fonts\\absent>!"));
    EXPECT_EQ(TextDisplay::Instance().FindFont("absent"), nullptr);
}

TEST_F(FontTest, MarkupIsDrawnIntoTheFrame)
{
    // An 8-bit picture (index 255 white, 1 magenta) is converted like any other.
    dir.Write("data/fonts/block.bmp", Bmp8(3, 2, {255, 255, 1, 255, 255, 1}, {{1, MakeColor(255, 0, 255)}}));
    ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont("block", 5, 1, 10, "a"));
    TextDisplay& text = TextDisplay::Instance();
    text.SetFont("block");
    text.SetRect(100, 50, 200, 40);
    text.SetHorizontalAlignment(kAlignLeft);
    text.DrawMarkup("a a");
    RenderEngine::Instance().Flush();

    platform::PixelSurface* target = DirectDraw::Instance().GetRenderTarget();
    auto lit = [target](int x, int y) { return target->ReadPixel(x, y) != 0; };
    EXPECT_TRUE(lit(100, 50));
    EXPECT_TRUE(lit(101, 51));
    EXPECT_FALSE(lit(102, 50));
    // "a" is 1 + 1 wide, the space 5.
    EXPECT_FALSE(lit(106, 50));
    EXPECT_TRUE(lit(107, 50));
    EXPECT_FALSE(lit(107, 52));
}

}  // namespace
