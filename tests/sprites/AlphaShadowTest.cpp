#include <gtest/gtest.h>

#include <random>

#include "ScreenFixture.h"
#include "sprites/AlphaSprite.h"
#include "sprites/ShadowSprite.h"
#include "sprites/SurfaceSprite.h"

namespace {

constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kRed = MakeColor(255, 0, 0);

class AlphaSpriteTest : public ScreenTest {
protected:
    static std::unique_ptr<Image> AlphaMap(int width, int height, uint8_t value)
    {
        return IndexedImage(width, height, nullptr, [value](int, int) { return value; });
    }

    int RedOf(uint32_t pixel) const
    {
        const ScreenFormat& format = DirectDraw::Instance().GetScreenFormat();
        return static_cast<int>((pixel & format.redMask) >> format.redShift);
    }
};

TEST_P(AlphaSpriteTest, HalfAlphaHalvesTheChannelRoundingDown)
{
    AlphaSprite sprite;
    ASSERT_TRUE(sprite.Create(ScreenImage(4, 4, kRed), AlphaMap(4, 4, 128), 4, 4, 0, 0, false));
    sprite.DrawEx(Placed(10, 10));
    // 16-bit: (31 x 128) >> 8 = 15; 32-bit: (255 x 128) >> 8 = 127.
    int expected = DirectDraw::Instance().GetDepth() == 16 ? 15 : 127;
    EXPECT_EQ(RedOf(At(10, 10)), expected);
    EXPECT_EQ(RedOf(At(13, 13)), expected);
    EXPECT_EQ(At(14, 10), 0u);

    // A darker sprite rounds towards minus infinity: 31 + ((0 - 31) x 128 >> 8) = 31 - 16; 255 - 128.
    AlphaSprite dark;
    ASSERT_TRUE(dark.Create(ScreenImage(2, 2, MakeColor(0, 0, 0)), AlphaMap(2, 2, 128), 2, 2, 0, 0, false));
    FillTarget(kWhite);
    dark.DrawEx(Placed(0, 0));
    EXPECT_EQ(RedOf(At(0, 0)), expected);
}

TEST_P(AlphaSpriteTest, WideRowsMixSkippedCopiedAndBlendedBlocks)
{
    // Columns 0-15 invisible, 16-31 opaque, 32-47 half, 48-49 opaque again.
    auto alpha = IndexedImage(50, 2, nullptr, [](int x, int) { return x < 16 ? 0 : x < 32 ? 255 : x < 48 ? 128 : 255; });
    AlphaSprite sprite;
    ASSERT_TRUE(sprite.Create(ScreenImage(50, 2, kRed), std::move(alpha), 50, 2, 0, 0, false));
    FillTarget(kWhite);
    sprite.DrawEx(Placed(3, 0));
    EXPECT_EQ(At(3, 0), ScreenValue(kWhite));
    EXPECT_EQ(At(18, 0), ScreenValue(kWhite));
    EXPECT_EQ(At(19, 0), ScreenValue(kRed));
    EXPECT_EQ(At(34, 0), ScreenValue(kRed));
    uint32_t half = At(35, 0);
    EXPECT_EQ(At(50, 0), half);
    EXPECT_NE(half, ScreenValue(kRed));
    EXPECT_NE(half, ScreenValue(kWhite));
    EXPECT_EQ(At(51, 0), ScreenValue(kRed));
    EXPECT_EQ(At(53, 0), ScreenValue(kWhite));
}

TEST_P(AlphaSpriteTest, CropKeepsTheUnionOfPictureAndAlphaMap)
{
    auto image = ScreenImage(20, 20, 0);
    image->SetPixel(3, 4, kRed);
    auto alpha = IndexedImage(20, 20, nullptr, [](int x, int y) { return x == 12 && y == 15 ? 200 : 0; });
    AlphaSprite sprite;
    ASSERT_TRUE(sprite.Create(std::move(image), std::move(alpha), 20, 20, 0, 0, true));
    EXPECT_EQ(sprite.GetCropX(), 3);
    EXPECT_EQ(sprite.GetCropY(), 4);
    EXPECT_EQ(sprite.GetWidth(0), 10);
    EXPECT_EQ(sprite.GetHeight(0), 12);
    EXPECT_FALSE(sprite.IsPixelTransparent({3, 4}, 0));
    EXPECT_TRUE(sprite.IsPixelTransparent({2, 4}, 0));
}

// The anchor is the helper the surface sprites use; the clipping reads the alpha map at an offset.
TEST_P(AlphaSpriteTest, ClippingStartsTheAlphaMapAtTheVisibleRow)
{
    AlphaSprite sprite;
    ASSERT_TRUE(sprite.Create(ScreenImage(40, 60, kRed), AlphaMap(40, 60, 255), 40, 60, 0, 0, false));
    sprite.DrawEx(Placed(1000, -50));
    EXPECT_EQ(At(1023, 0), ScreenValue(kRed));
    EXPECT_EQ(At(1023, 9), ScreenValue(kRed));
    EXPECT_EQ(At(1023, 10), 0u);
}

TEST_P(AlphaSpriteTest, BrokenRequestsLogAndPostAQuitAndNoAlphaMapDrawsNothing)
{
    AlphaSprite sprite;
    EXPECT_FALSE(sprite.Create(ScreenImage(4, 4, kRed), AlphaMap(4, 5, 255), 4, 4, 0, 0, false));
    EXPECT_NE(Log().find("image and alpha map sizes do not match."), std::string::npos);
    EXPECT_TRUE(QuitPosted());
    ASSERT_TRUE(sprite.Create(ScreenImage(4, 4, kRed), AlphaMap(4, 4, 255), 4, 4, 0, 0, false));
    DrawInfo info = Placed(0, 0);
    info.flags |= DI_DEST_SIZE;
    info.destWidth = info.destHeight = 8;
    sprite.DrawEx(info);
    EXPECT_NE(Log().find("Scaled blit not supported by alpha sprites."), std::string::npos);
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(At(0, 0), 0u);
    // Without an alpha map nothing is drawn.
    AlphaSprite bare;
    ASSERT_TRUE(bare.Create(ScreenImage(4, 4, kRed), nullptr, 4, 4, 0, 0, false));
    bare.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(0, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Screens, AlphaSpriteTest, testing::Values(kScreen565, kScreen555, kScreen8888),
                         ScreenCaseName);

class ShadowSpriteTest : public AlphaSpriteTest {
protected:
    // A 1-bit mask, bit set (left alone) where keep(x, y) holds.
    template <class Keep>
    static std::unique_ptr<Image> Mask(int width, int height, Keep keep)
    {
        auto mask = std::make_unique<Image>();
        mask->Create(width, height, 1, true);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                mask->SetPixel(x, y, keep(x, y) ? MakeColor(0, 0, 0) : MakeColor(255, 255, 255));
            }
        }
        return mask;
    }
};

TEST_P(ShadowSpriteTest, ClearBitsHalveTheScreenAndSetBitsKeepIt)
{
    auto mask = Mask(12, 6, [](int x, int y) { return x < 2 || y == 0 || x == 7; });
    ShadowSprite shadow;
    ASSERT_TRUE(shadow.Create(std::move(mask), 12, 6));
    EXPECT_EQ(shadow.GetCropX(), 2);
    EXPECT_EQ(shadow.GetCropY(), 1);
    // White with every channel bit set, and white halved by the shadow rule.
    bool wide = DirectDraw::Instance().GetDepth() == 32;
    uint32_t white = wide ? 0xFFFFFFu : GetParam().rgb555 ? 0x7FFFu : 0xFFFFu;
    uint32_t halved = wide ? 0x7F7F7Fu : GetParam().rgb555 ? 0x3DEFu : 0x7BDFu;
    Target().Fill(nullptr, white);
    shadow.DrawEx(Placed(100, 100));
    EXPECT_EQ(At(102, 101), halved);
    EXPECT_EQ(At(111, 105), halved);
    EXPECT_EQ(At(107, 103), white);
    EXPECT_EQ(At(101, 103), white);
    EXPECT_EQ(At(104, 100), white);
    EXPECT_EQ(At(112, 103), white);
    EXPECT_TRUE(shadow.IsPixelTransparent({7, 3}, 0));
    EXPECT_FALSE(shadow.IsPixelTransparent({8, 3}, 0));
}

TEST_P(ShadowSpriteTest, ClippedAtTheLeftEdgeDarkensOnlyTheVisiblePartAndScalingIsRefused)
{
    ShadowSprite shadow;
    ASSERT_TRUE(shadow.Create(Mask(10, 2, [](int, int) { return false; }), 10, 2));
    FillTarget(MakeColor(128, 128, 128));
    uint32_t grey = At(0, 0);
    shadow.DrawEx(Placed(-4, 0));
    EXPECT_NE(At(5, 0), grey);
    EXPECT_EQ(At(6, 0), grey);
    EXPECT_EQ(At(0, 2), grey);

    // Scaled shadows are refused.
    DrawInfo info = Placed(0, 0);
    info.flags |= DI_DEST_SIZE;
    shadow.DrawEx(info);
    EXPECT_NE(Log().find("Scaled blit not supported by shadow sprites."), std::string::npos);
    EXPECT_TRUE(QuitPosted());
}

TEST_P(ShadowSpriteTest, ArbitraryDrawDescriptionsNeverReachOutside)
{
    AlphaSprite glass;
    ASSERT_TRUE(glass.Create(ScreenImage(30, 20, kRed), AlphaMap(30, 20, 100), 30, 20, 0, 0, false));
    ShadowSprite shadow;
    ASSERT_TRUE(shadow.Create(Mask(30, 20, [](int x, int y) { return (x + y) % 3 == 0; }), 40, 30));
    auto picture = ScreenImage(30, 20, kRed);
    picture->SetPixel(3, 3, 0);
    SurfaceSprite surface;
    ASSERT_TRUE(surface.Create(std::move(picture), 30, 20, 0, 0, false));
    std::mt19937 random(99);
    auto between = [&random](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };
    const uint32_t flags[] = {DI_SRC_POS, DI_SRC_SIZE, DI_CENTER, DI_BOTTOM_CENTER, DI_NO_COLORKEY};
    for (int trial = 0; trial < 500; ++trial) {
        DrawInfo info;
        info.flags = DI_DEST_POS;
        for (uint32_t flag : flags) {
            info.flags |= between(0, 1) ? flag : 0;
        }
        info.srcX = between(-40, 40);
        info.srcY = between(-40, 40);
        info.srcWidth = between(-5, 60);
        info.srcHeight = between(-5, 60);
        info.destX = between(-60, 1090);
        info.destY = between(-60, 830);
        glass.DrawEx(info);
        shadow.DrawEx(info);
        surface.DrawEx(info);
        info.flags |= DI_DEST_SIZE;
        info.destWidth = between(-5, 2000);
        info.destHeight = between(-5, 2000);
        surface.DrawEx(info);
    }
    EXPECT_FALSE(QuitPosted());
}

INSTANTIATE_TEST_SUITE_P(Screens, ShadowSpriteTest, testing::Values(kScreen565, kScreen555, kScreen8888),
                         ScreenCaseName);

TEST_F(TwentyFourBitScreenTest, AlphaSpritesBlendAndShadowsHalveEachByte)
{
    auto image = std::make_unique<Image>();
    image->Create(2, 2, 24, true);
    auto alpha = std::make_unique<Image>();
    alpha->Create(2, 2, 8, true);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            uint8_t* pixel = image->Row(y) + x * 3;
            pixel[0] = 40;
            pixel[2] = 255;
            alpha->Row(y)[x] = static_cast<uint8_t>(x == 0 ? 128 : 255);
        }
    }
    AlphaSprite sprite;
    ASSERT_TRUE(sprite.Create(std::move(image), std::move(alpha), 2, 2, 0, 0, false));
    DrawInfo info = Placed(0, 0);
    sprite.DrawEx(info);
    EXPECT_EQ(At(0, 0), MakeColor(127, 0, 20));
    EXPECT_EQ(At(1, 1), MakeColor(255, 0, 40));

    ShadowSprite shadow;
    auto mask = std::make_unique<Image>();
    mask->Create(4, 4, 1, true);
    ASSERT_TRUE(shadow.Create(std::move(mask), 4, 4));
    FillTarget(MakeColor(255, 255, 255));
    shadow.DrawEx(info);
    EXPECT_EQ(At(0, 0), MakeColor(127, 127, 127));
    EXPECT_EQ(At(3, 3), MakeColor(127, 127, 127));
    EXPECT_EQ(At(4, 3), MakeColor(255, 255, 255));
    EXPECT_FALSE(QuitPosted());
}

}  // namespace
