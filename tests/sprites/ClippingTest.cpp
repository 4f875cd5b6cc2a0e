#include <gtest/gtest.h>

#include "sprites/SpriteClipping.h"

using namespace sprite_clipping;

TEST(UnscaledClipping, EdgesMoveTheSourceStartAndEndAtTheLastColumnAndRow)
{
    int x = -10;
    int y = -3;
    ImageRect source{0, 0, 39, 19};
    ASSERT_TRUE(ClipUnscaled(x, y, source));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(source, (ImageRect{10, 3, 39, 19}));

    // The right and bottom edges end at the last column and row.
    x = 1000;
    y = 760;
    source = {0, 0, 39, 19};
    ASSERT_TRUE(ClipUnscaled(x, y, source));
    EXPECT_EQ(x + source.right - source.left, 1023);
    EXPECT_EQ(y + source.bottom - source.top, 767);
}

TEST(UnscaledClipping, NothingRemainsOutsideTheFrameButTheLastColumnRowOrASinglePixelStays)
{
    for (auto [x, y] : {std::pair{-40, 0}, {1024, 0}, {0, -20}, {0, 768}}) {
        ImageRect source{0, 0, 39, 19};
        EXPECT_FALSE(ClipUnscaled(x, y, source)) << x << ", " << y;
    }
    int x = 1023;
    int y = 767;
    ImageRect source{0, 0, 39, 19};
    ASSERT_TRUE(ClipUnscaled(x, y, source));
    EXPECT_EQ(source, (ImageRect{0, 0, 0, 0}));
    x = 10;
    source = {5, 5, 5, 5};
    EXPECT_TRUE(ClipUnscaled(x, y, source)) << "a one-pixel source is drawn";
}

TEST(ScaledClipping, SourceEdgesMoveByTheScaledClippedAmountAndEmptyDestinationsDrawNothing)
{
    // 100 source pixels over 50 destination pixels: every clipped destination pixel is two.
    ImageRect destination{-10, 740, 39, 789};
    ImageRect source{0, 0, 99, 99};
    ASSERT_TRUE(ClipScaled(destination, source));
    EXPECT_EQ(destination, (ImageRect{0, 740, 39, 767}));
    EXPECT_EQ(source, (ImageRect{20, 0, 99, 55}));
    // Empty or off-frame destinations draw nothing.
    source = {0, 0, 9, 9};
    ImageRect offFrame{1030, 0, 1040, 10};
    EXPECT_FALSE(ClipScaled(offFrame, source));
    ImageRect inverted{10, 10, 9, 20};
    EXPECT_FALSE(ClipScaled(inverted, source));
}

TEST(SourceRectangles, PictureLimitsMoveThePositionWithTheLeadingEdge)
{
    DrawInfo info;
    info.flags = DI_SRC_POS | DI_SRC_SIZE;
    info.srcX = -4;
    info.srcY = 2;
    info.srcWidth = 30;
    info.srcHeight = 30;
    ImageRect source = SourceRect(info, 20, 20);
    EXPECT_EQ(source, (ImageRect{-4, 2, 25, 31}));
    int x = 100;
    int y = 100;
    ASSERT_TRUE(LimitToPicture(x, y, source, 20, 20));
    EXPECT_EQ(x, 104);
    EXPECT_EQ(source, (ImageRect{0, 2, 19, 19}));
}

TEST(SourceRectangles, AnchorsUseTheFullSizeWithIntegerHalves)
{
    DrawInfo info;
    info.destX = 100;
    info.destY = 200;
    int x = 0;
    int y = 0;
    info.flags = DI_DEST_POS | DI_BOTTOM_CENTER;
    AnchoredPosition(info, 41, 60, x, y);
    EXPECT_EQ(x, 80);
    EXPECT_EQ(y, 140);
    info.flags = DI_DEST_POS | DI_CENTER;
    AnchoredPosition(info, 41, 61, x, y);
    EXPECT_EQ(x, 80);
    EXPECT_EQ(y, 170);
}
