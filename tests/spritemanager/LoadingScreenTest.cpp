#include "spritemanager/SpriteTestSupport.h"

#include <cmath>

#include "text/FontLoaderUtil.h"

namespace {

constexpr Color kClear = 0xFF00FF;
constexpr Color kWhite = 0xFFFFFF;

// Glyphs two columns wide with one column between them: every character is 1 wide.
std::string DigitFontPicture(int glyphs)
{
    std::vector<Color> row;
    for (int i = 0; i < glyphs; ++i) {
        row.insert(row.end(), {kWhite, kWhite, kClear});
    }
    return Bmp24(static_cast<int>(row.size()), 1, row);
}

class LoadingScreenTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        dir.Write("bg.bmp", Bmp24(2, 2, std::vector<Color>(4, kWhite)));
        dir.Write("bar.bmp", Bmp24(2, 6, std::vector<Color>(12, kWhite)));
        Register("bg", "bg", SpriteInfo::kStatic);
        Register("bar", "bar", SpriteInfo::kAnim, 3);
        Screen().SetSprites(Sprites().GetSprite("bg"), Sprites().GetSprite("bar"));
        Screen().SetActive(true);
    }

    static LoadingScreen& Screen() { return LoadingScreen::Instance(); }
    static const std::vector<RenderEngine::Entry>& Queue() { return RenderEngine::Instance().GetDepthQueue(); }
};

TEST_F(LoadingScreenTest, ProgressIsClampedOnlyGrowsAndIsIgnoredWhileInactive)
{
    Screen().SetActive(false);
    Screen().Progress(0.5f);
    Screen().Advance(0.1f);
    EXPECT_FLOAT_EQ(Screen().GetProgress(), 0.0f);
    EXPECT_TRUE(Queue().empty());
    Screen().SetActive(true);
    Screen().Progress(NAN);
    EXPECT_FLOAT_EQ(Screen().GetProgress(), 0.0f);
    Screen().Progress(0.4f);
    Screen().Progress(0.2f);
    EXPECT_FLOAT_EQ(Screen().GetProgress(), 0.4f);
    Screen().Advance(0.01f);
    EXPECT_FLOAT_EQ(Screen().GetProgress(), 0.41f);
    Screen().Progress(7.0f);
    EXPECT_FLOAT_EQ(Screen().GetProgress(), 1.0f);
}

TEST_F(LoadingScreenTest, BarFillsThenBlinks)
{
    const std::pair<float, int> expected[] = {{0.5f, 2}, {0.94f, 2}, {0.95f, 0}, {0.9999f, 0}, {1.0f, 1}};
    for (const auto& [progress, frame] : expected) {
        Screen().Progress(progress);
        EXPECT_EQ(Screen().BarFrame(), frame) << "at " << progress;
    }
}

TEST_F(LoadingScreenTest, FrameShowsBackgroundBarAndPercentage)
{
    dir.Write("data/fonts/IngameFont_small.bmp", DigitFontPicture(11));
    ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont("IngameFont_small", 4, 0, 10, "0123456789%"));
    Screen().Progress(0.42f);

    ASSERT_EQ(RenderEngine::Instance().GetBackgroundQueue().size(), 1u);
    EXPECT_EQ(RenderEngine::Instance().GetBackgroundQueue()[0].info.destX, 0);
    const auto& queue = Queue();
    ASSERT_EQ(queue.size(), 4u);
    EXPECT_EQ(queue[0].info.destX, 423);
    EXPECT_EQ(queue[0].info.destY, 112);
    EXPECT_EQ(queue[0].info.frame, 2);
    // Cells are the width of "8" (1) plus 3 wide.
    EXPECT_EQ(queue[1].info.destX, 435 + 2 * 4);
    EXPECT_EQ(queue[1].info.srcX, 4 * 3);
    EXPECT_EQ(queue[2].info.destX, 435 + 3 * 4);
    EXPECT_EQ(queue[2].info.srcX, 2 * 3);
    EXPECT_EQ(queue[3].info.destX, 435 + 4 * 4);
    EXPECT_EQ(queue[3].info.destY, 420);

    Screen().Progress(1.0f);
    ASSERT_EQ(Queue().size(), 5u);
    EXPECT_EQ(Queue()[1].info.destX, 444 + 1);
    EXPECT_EQ(Queue()[1].info.srcX, 1 * 3);
}

}  // namespace
