#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../sprites/ScreenFixture.h"
#include "FillSprite.h"
#include "sprites/SurfaceSprite.h"

namespace {

constexpr Color kRed = MakeColor(248, 0, 0);
constexpr Color kWhite = MakeColor(248, 248, 248);

using Order = std::vector<std::string>;

class RenderEngineTest : public ScreenTest {
protected:
    FillSprite& Make(const std::string& name, uint32_t value = 0x1234)
    {
        sprites.push_back(std::make_unique<FillSprite>(name, value, order));
        return *sprites.back();
    }

    void Flush() { RenderEngine::Instance().Flush(); }

    std::vector<std::unique_ptr<FillSprite>> sprites;
    Order order;
};

TEST_P(RenderEngineTest, EqualAndNaNDepthsKeepTheirQueueOrder)
{
    Make("a").Draw(0, 0, 0, 5.0f);
    Make("b").Draw(0, 0, 0, 1.0f);
    Make("c").Draw(0, 0, 0, 5.0f);
    Make("d").Draw(0, 0, 0, 1.0f);
    Make("e").Draw(0, 0, 0, 3.0f);
    Make("f").Draw(0, 0, 0, 5.0f);
    Flush();
    EXPECT_EQ(order, (Order{"b", "d", "e", "a", "c", "f"}));

    // A NaN depth joins the depth queue and stays in place.
    order.clear();
    RenderEngine::Instance().Clear();
    Make("two").Draw(0, 0, 0, 2.0f);
    Make("nan").Draw(0, 0, 0, std::nanf(""));
    Make("one").Draw(0, 0, 0, 1.0f);
    Flush();
    EXPECT_EQ(order, (Order{"two", "nan", "one"}));
}

TEST_P(RenderEngineTest, GreaterDepthCoversWhatWasQueuedEarlier)
{
    Make("front", 0x00FF).Draw(10, 10, 0, 3.0f);
    Make("back", 0x0F00).Draw(10, 10, 0, 2.5f);
    Flush();
    EXPECT_EQ(order, (Order{"back", "front"}));
    EXPECT_EQ(At(15, 15), 0x00FFu);
}

TEST_P(RenderEngineTest, BackgroundsComeFirstInQueueOrder)
{
    Make("ground").Draw(0, 0, 0, 0.0f);
    Make("sky").Draw(0, 0, 0, -1.0f);
    Make("far").Draw(0, 0, 0, -5.0f);
    Make("near").Draw(0, 0, 0, -0.5f);
    Flush();
    EXPECT_EQ(order, (Order{"sky", "far", "near", "ground"}));
    ASSERT_EQ(RenderEngine::Instance().GetBackgroundQueue().size(), 3u);
}

// A background that paints every pixel replaces the clear; one that leaves black pixels or
// does not reach an edge does not, so nothing of the last frame shows through either.
TEST_P(RenderEngineTest, OnlyAnOpaqueBackgroundOverTheWholeFrameReplacesTheClear)
{
    auto image = ScreenImage(DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, kRed);
    image->SetPixel(5, 5, 0);
    SurfaceSprite keyed;
    ASSERT_TRUE(keyed.Create(std::move(image), DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, 0, 0, false));
    SurfaceSprite narrow;
    ASSERT_TRUE(narrow.Create(ScreenImage(DirectDraw::kFrameWidth - 1, DirectDraw::kFrameHeight, kRed),
                              DirectDraw::kFrameWidth - 1, DirectDraw::kFrameHeight, 0, 0, false));
    const std::pair<SurfaceSprite*, int> uncovered[] = {{&keyed, 5}, {&narrow, DirectDraw::kFrameWidth - 1}};
    for (const auto& [background, column] : uncovered) {
        FillTarget(kWhite);
        RenderEngine::Instance().Clear();
        background->Draw(0, 0, 0, -1.0f);
        Flush();
        EXPECT_EQ(At(column, 5), 0u) << "the last frame shows through at column " << column;
    }
    SurfaceSprite opaque;
    ASSERT_TRUE(opaque.Create(ScreenImage(DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, kRed),
                              DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, 0, 0, false));
    RenderEngine::Instance().Clear();
    opaque.Draw(0, 0, 0, -1.0f);
    EXPECT_TRUE(opaque.CoversTarget(RenderEngine::Instance().GetBackgroundQueue().front().info,
                                    DirectDraw::kFrameWidth, DirectDraw::kFrameHeight));
    Flush();
    EXPECT_EQ(At(5, 5), ScreenValue(kRed));
}

TEST_P(RenderEngineTest, AnEmptyFrameIsClearedAndFlushKeepsTheQueuesUntilClear)
{
    FillTarget(MakeColor(255, 255, 255));
    Flush();
    EXPECT_EQ(At(0, 0), 0u);
    EXPECT_EQ(At(1023, 767), 0u);
    Make("a").Draw(0, 0, 0, 1.0f);
    Make("b").Draw(0, 0, 0, -1.0f);
    Flush();
    Flush();
    EXPECT_EQ(order.size(), 4u);
    size_t capacity = RenderEngine::Instance().GetDepthQueue().capacity();
    RenderEngine::Instance().Clear();
    EXPECT_TRUE(RenderEngine::Instance().GetDepthQueue().empty());
    EXPECT_TRUE(RenderEngine::Instance().GetBackgroundQueue().empty());
    EXPECT_EQ(RenderEngine::Instance().GetDepthQueue().capacity(), capacity);
}

// Only a frame that would draw exactly what the last Flush drew is a repeat: the same draws on
// buffers that kept the picture, no sprite freed meanwhile, no transition under way.
TEST_P(RenderEngineTest, AFrameRepeatsTheLastOneOnlyWhenNothingShownCanHaveChanged)
{
    RenderEngine& engine = RenderEngine::Instance();
    FillSprite& shown = Make("shown");
    auto queue = [&](int x) {
        engine.Clear();
        shown.Draw(x, 0, 0, 1.0f);
        shown.Draw(x, 40, 0, -1.0f);
    };
    queue(0);
    EXPECT_FALSE(engine.RepeatsLastFrame()) << "nothing was drawn yet";
    Flush();
    queue(0);
    EXPECT_TRUE(engine.RepeatsLastFrame());
    queue(1);
    EXPECT_FALSE(engine.RepeatsLastFrame());

    queue(0);
    DirectDraw::Instance().RestoreSurfaces();
    EXPECT_FALSE(engine.RepeatsLastFrame()) << "restored buffers lost the picture";
    Flush();
    sprites.push_back(std::make_unique<FillSprite>("freed", 0, order));
    sprites.pop_back();
    EXPECT_FALSE(engine.RepeatsLastFrame()) << "another sprite may now live where the freed one did";
    Flush();
    DirectDraw::Instance().StartTransition(false);
    EXPECT_FALSE(engine.RepeatsLastFrame());
    Flush();
    DirectDraw::Instance().StopTransition();
    EXPECT_FALSE(engine.RepeatsLastFrame()) << "the last frame was drawn with the wipe";
}

// The transition step is seen through the wipe: at position 0 it puts the captured frame back
// over everything drawn before it.
class TransitionTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        DirectDraw::Instance().StartTransition(false);
        Make("old", kOld).Draw(0, 0, 0, -1.0f);
        Flush();
        RenderEngine::Instance().Clear();
        DirectDraw::Instance().SetTransitionPosition(0.0f);
    }

    static constexpr uint32_t kOld = 0x0011;
    static constexpr uint32_t kNew = 0x0022;
};

TEST_P(TransitionTest, WithoutCursorLayerTheStepRunsAfterEverything)
{
    Make("scene", kNew).Draw(100, 100, 0, 12.0f);
    Flush();
    EXPECT_EQ(At(105, 105), 0u);
    EXPECT_EQ(At(5, 5), kOld);
}

TEST_P(TransitionTest, TheStepRunsBeforeEachCursorLayerEntry)
{
    Make("scene", kNew).Draw(100, 100, 0, 5.0f);
    Make("cursor1", kNew).Draw(200, 200, 0, 11.0f);
    Make("cursor2", kNew).Draw(300, 300, 0, 11.0f);
    Make("above", kNew).Draw(400, 400, 0, 12.0f);
    Flush();
    EXPECT_EQ(At(105, 105), 0u);
    EXPECT_EQ(At(5, 5), kOld);
    EXPECT_EQ(At(205, 205), 0u);
    EXPECT_EQ(At(305, 305), kNew);
    EXPECT_EQ(At(405, 405), kNew);
}

// The order of drawing does not depend on the screen format.
INSTANTIATE_TEST_SUITE_P(Screens, RenderEngineTest, testing::Values(kScreen565), ScreenCaseName);
INSTANTIATE_TEST_SUITE_P(Screens, TransitionTest, testing::Values(kScreen565), ScreenCaseName);

}  // namespace
