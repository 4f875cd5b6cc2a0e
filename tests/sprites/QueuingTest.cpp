#include <gtest/gtest.h>

#include <cmath>

#include "ScreenFixture.h"
#include "sprites/SurfaceSprite.h"

namespace {

class QueuingTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(sprite.Create(ScreenImage(40, 60, MakeColor(255, 0, 0)), 40, 60, 0, 0, false));
    }

    const RenderEngine::Entry& Last() const { return RenderEngine::Instance().GetDepthQueue().back(); }

    SurfaceSprite sprite;
};

TEST_P(QueuingTest, DrawAndDrawRectQueueThePositionFrameAndSource)
{
    sprite.Draw(12, 34, 3, 2.5f);
    ASSERT_EQ(RenderEngine::Instance().GetDepthQueue().size(), 1u);
    EXPECT_EQ(Last().sprite, &sprite);
    EXPECT_EQ(Last().depth, 2.5f);
    EXPECT_EQ(Last().info.flags, DI_DEST_POS);
    EXPECT_EQ((std::vector<int>{Last().info.frame, Last().info.destX, Last().info.destY}), (std::vector<int>{3, 12, 34}));
    EXPECT_EQ(Last().info.scale, 1.0f);

    // A rectangle turns inclusive corners into source position and size.
    sprite.DrawRect({4, 5, 13, 9}, 7, 8, 0, 10.0f);
    EXPECT_EQ(Last().info.flags, DI_SRC_POS | DI_SRC_SIZE | DI_DEST_POS);
    const DrawInfo& source = Last().info;
    EXPECT_EQ((std::vector<int>{source.srcX, source.srcY, source.srcWidth, source.srcHeight}),
              (std::vector<int>{4, 5, 10, 5}));
}

TEST_P(QueuingTest, DrawAnchoredMarksScalesOtherThanOneAndReachesTheScreenAtTheFlush)
{
    sprite.DrawAnchored(100, 200, 0, 1.0f, 1.0f);
    EXPECT_EQ(Last().info.flags, DI_DEST_POS | DI_BOTTOM_CENTER);
    sprite.DrawAnchored(100, 200, 0, 1.0f, std::nanf(""));
    EXPECT_EQ(Last().info.flags, DI_DEST_POS | DI_BOTTOM_CENTER);
    EXPECT_EQ(Last().info.scale, 1.0f);
    sprite.DrawAnchored(100, 200, 0, 1.0f, 0.75f);
    EXPECT_EQ(Last().info.flags, DI_DEST_POS | DI_BOTTOM_CENTER | DI_SCALE);
    EXPECT_EQ(Last().info.scale, 0.75f);

    // Queued draws reach the screen at the flush.
    EXPECT_EQ(At(80, 140), 0u);
    RenderEngine::Instance().Flush();
    EXPECT_EQ(At(80, 140), ScreenValue(MakeColor(255, 0, 0)));
    EXPECT_EQ(At(79, 140), 0u);
}

TEST_P(QueuingTest, DrawScaledGivesATruncatedDestinationSize)
{
    sprite.DrawScaled(100, 200, 0, 1.0f, 1.0f, true);
    EXPECT_EQ(Last().info.flags, DI_DEST_POS);
    EXPECT_EQ((std::pair{Last().info.destX, Last().info.destY}), (std::pair{80, 140}));
    sprite.DrawScaled(100, 200, 0, 1.0f, 0.55f, true);
    EXPECT_EQ(Last().info.flags, DI_DEST_POS | DI_DEST_SIZE);
    const DrawInfo& scaled = Last().info;
    EXPECT_EQ((std::vector<int>{scaled.destX, scaled.destY, scaled.destWidth, scaled.destHeight}),
              (std::vector<int>{89, 167, 22, 33}));
    sprite.DrawScaled(100, 200, 0, 1.0f, 0.55f, false);
    EXPECT_EQ(Last().info.destX, 100);
}

INSTANTIATE_TEST_SUITE_P(Screens, QueuingTest, testing::Values(kScreen565), ScreenCaseName);

}  // namespace
