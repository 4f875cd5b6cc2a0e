#include <gtest/gtest.h>

#include <utility>

#include "ScreenFixture.h"
#include "sprites/AlphaSprite.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/SurfaceSprite.h"

namespace {

constexpr Color kRed = MakeColor(248, 0, 0);
constexpr Color kWhite = MakeColor(248, 248, 248);

// Columns coloured by their index so that a test can tell which sprite column landed where.
Color ColumnColor(int x)
{
    return MakeColor(8 * (x % 31 + 1), 8 * (x / 31 + 1), 64);
}

class SurfaceSpriteTest : public ScreenTest {
protected:
    std::unique_ptr<SurfaceSprite> ColumnSprite(int width, int height)
    {
        auto image = Painted(width, height, {0, 0, width - 1, height - 1}, [](int x, int) { return ColumnColor(x); });
        // One black pixel top right, so that draws take the colour-keyed way.
        image->SetPixel(width - 1, 0, 0);
        auto sprite = std::make_unique<SurfaceSprite>();
        EXPECT_TRUE(sprite->Create(std::move(image), width, height, 0, 0, false));
        return sprite;
    }
};

TEST_P(SurfaceSpriteTest, EdgesCutTheColumnsAndRowsOutsideTheFrameAndBottomCenterCoversTheCellAbove)
{
    auto cell = ColumnSprite(40, 60);
    cell->DrawEx(Placed(100, 200, DI_BOTTOM_CENTER));
    EXPECT_EQ(At(80, 140), ScreenValue(ColumnColor(0)));
    EXPECT_EQ(At(119, 199), ScreenValue(ColumnColor(39)));
    for (auto [x, y] : {std::pair{79, 140}, {120, 199}, {80, 139}, {80, 200}}) {
        EXPECT_EQ(At(x, y), 0u) << x << ", " << y;
    }

    auto sprite = ColumnSprite(40, 20);
    sprite->DrawEx(Placed(-10, 5));
    EXPECT_EQ(At(0, 5), ScreenValue(ColumnColor(10)));
    EXPECT_EQ(At(29, 24), ScreenValue(ColumnColor(39)));
    EXPECT_EQ(At(29, 5), 0u);
    EXPECT_EQ(At(30, 5), 0u);
    EXPECT_EQ(At(0, 25), 0u);
    sprite->DrawEx(Placed(1000, 760));
    EXPECT_EQ(At(1000, 760), ScreenValue(ColumnColor(0)));
    EXPECT_EQ(At(1023, 767), ScreenValue(ColumnColor(23)));
    EXPECT_EQ(At(999, 760), 0u);
    EXPECT_EQ(At(1000, 759), 0u);

    // A white picture with a red bottom row, cut at the top.
    SurfaceSprite top;
    ASSERT_TRUE(top.Create(Painted(4, 10, {0, 0, 3, 9}, [](int, int y) { return y == 9 ? kRed : kWhite; }), 4, 10, 0, 0,
                           false));
    top.DrawEx(Placed(50, -8));
    EXPECT_EQ(At(50, 0), ScreenValue(kWhite));
    EXPECT_EQ(At(50, 1), ScreenValue(kRed));
    EXPECT_EQ(At(50, 2), 0u);
}

TEST_P(SurfaceSpriteTest, CroppedSpriteDrawsWhereTheUncroppedOneDoes)
{
    auto picture = [] { return Painted(30, 20, {5, 7, 8, 11}, [](int x, int y) { return ColumnColor(x + y); }); };
    SurfaceSprite cropped;
    ASSERT_TRUE(cropped.Create(picture(), 30, 20, 0, 0, true));
    EXPECT_EQ(cropped.GetCropX(), 5);
    EXPECT_EQ(cropped.GetCropY(), 7);
    EXPECT_EQ(cropped.GetWidth(0), 4);
    EXPECT_EQ(cropped.GetFullHeight(), 20);
    cropped.DrawEx(Placed(300, 300, DI_BOTTOM_CENTER));
    auto expected = platform::PixelSurface::Create(1024, 768, Target().Format());
    expected->Blit(0, 0, Target(), nullptr, platform::kBlitOpaque);
    Target().Fill(nullptr, 0);
    SurfaceSprite whole;
    ASSERT_TRUE(whole.Create(picture(), 30, 20, 0, 0, false));
    whole.DrawEx(Placed(300, 300, DI_BOTTOM_CENTER));
    for (int y = 270; y < 300; ++y) {
        for (int x = 280; x < 320; ++x) {
            ASSERT_EQ(At(x, y), expected->ReadPixel(x, y)) << x << ", " << y;
        }
    }
    EXPECT_FALSE(cropped.IsPixelTransparent({6, 8}, 0));
    EXPECT_TRUE(cropped.IsPixelTransparent({4, 8}, 0));
    EXPECT_TRUE(cropped.IsPixelTransparent({100, 8}, 0));
}

TEST_P(SurfaceSpriteTest, ScaledBlitStretchesIntoTheDestinationSizeAndKeepsItsSamplingWhenClipped)
{
    auto sprite = ColumnSprite(40, 20);
    DrawInfo info = Placed(100, 100, DI_DEST_SIZE);
    info.destWidth = 20;
    info.destHeight = 10;
    sprite->DrawEx(info);
    EXPECT_NE(At(100, 100), 0u);
    EXPECT_NE(At(119, 109), 0u);
    EXPECT_EQ(At(120, 100), 0u);
    EXPECT_EQ(At(100, 110), 0u);
    // Every other column survives, sampled at pixel centres, also when clipped at the left.
    EXPECT_EQ(At(110, 105), ScreenValue(ColumnColor(21)));
    info.destX = -10;
    sprite->DrawEx(info);
    EXPECT_EQ(At(0, 100), ScreenValue(ColumnColor(21)));
    EXPECT_EQ(At(9, 109), ScreenValue(ColumnColor(39)));
    EXPECT_EQ(At(10, 100), 0u);
}

TEST_P(SurfaceSpriteTest, ScaledDrawOfACroppedSpriteScalesItsCropOffsetAndASourceRectangleDrawsPartOfThePicture)
{
    // A 40 x 20 cell whose 20 x 12 contents start at (10, 4): at half size they start at (5, 2).
    SurfaceSprite sprite;
    ASSERT_TRUE(sprite.Create(Painted(40, 20, {10, 4, 29, 15}, [](int, int) { return kRed; }), 40, 20, 0, 0, true));
    sprite.DrawScaled(100, 100, 0, 1.0f, 0.5f, false);
    RenderEngine::Instance().Flush();
    EXPECT_EQ(At(105, 102), ScreenValue(kRed));
    EXPECT_EQ(At(114, 107), ScreenValue(kRed));
    EXPECT_EQ(At(104, 101), 0u);
    EXPECT_EQ(At(115, 108), 0u);

    auto columns = ColumnSprite(40, 20);
    columns->DrawRect({10, 0, 14, 4}, 0, 0, 0, 1.0f);
    RenderEngine::Instance().Flush();
    EXPECT_EQ(At(0, 0), ScreenValue(ColumnColor(10)));
    EXPECT_EQ(At(4, 4), ScreenValue(ColumnColor(14)));
    EXPECT_EQ(At(5, 0), 0u);
    EXPECT_EQ(At(0, 5), 0u);
}

TEST_P(SurfaceSpriteTest, ImageOffsetSelectsTheUploadedAreaMustLieInThePictureAndKeepsBlackTransparent)
{
    auto image = ScreenImage(8, 4, kWhite);
    image->SetPixel(4, 0, kRed);
    SurfaceSprite sprite;
    ASSERT_TRUE(sprite.Create(std::move(image), 4, 4, 4, 0, false));
    sprite.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(0, 0), ScreenValue(kRed));
    sprite.SetImageOffset(0, 0);
    sprite.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(0, 0), ScreenValue(kWhite));
    EXPECT_FALSE(sprite.IsPixelTransparent({0, 0}, 0));

    // Offsets outside the picture are refused.
    SurfaceSprite refused;
    EXPECT_FALSE(refused.Create(ScreenImage(8, 8, kWhite), 8, 8, 4, 0, false));
    EXPECT_FALSE(refused.Create(nullptr, 8, 8, 0, 0, false));
    refused.DrawEx(Placed(50, 50));
    EXPECT_EQ(At(50, 50), 0u);
    // Uploaded without black first (drawn opaque), then a black pixel arrives: it stays transparent.
    auto later = ScreenImage(8, 4, kRed);
    later->SetPixel(5, 1, 0);
    SurfaceSprite keyed;
    ASSERT_TRUE(keyed.Create(std::move(later), 4, 4, 0, 0, false));
    FillTarget(kWhite);
    keyed.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(1, 1), ScreenValue(kRed));
    for (int offset : {4, 7}) {
        keyed.SetImageOffset(offset, 0);
        FillTarget(kWhite);
        keyed.DrawEx(Placed(0, 0));
        EXPECT_EQ(At(1, 1), ScreenValue(kWhite)) << offset;
    }
    EXPECT_EQ(At(0, 1), ScreenValue(kRed));
}

TEST_P(SurfaceSpriteTest, BlackIsTransparentUnlessTheColourKeyIsOffAlsoAfterAPartialUpload)
{
    // The left half has black at (1, 1), the right half at (5, 2); the surface shows the left.
    auto image = ScreenImage(8, 4, kRed);
    image->SetPixel(1, 1, 0);
    image->SetPixel(5, 2, 0);
    SurfaceSprite sprite;
    ASSERT_TRUE(sprite.Create(std::move(image), 4, 4, 0, 0, false));
    FillTarget(kWhite);
    sprite.DrawEx(Placed(10, 10));
    EXPECT_EQ(At(11, 11), ScreenValue(kWhite));
    EXPECT_EQ(At(12, 11), ScreenValue(kRed));
    sprite.DrawEx(Placed(10, 10, DI_NO_COLORKEY));
    EXPECT_EQ(At(11, 11), 0u);

    // The partial upload draws the black of the uploaded pixels.
    sprite.UpdateRect(4, 0, {0, 0, 3, 3});
    FillTarget(kWhite);
    sprite.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(1, 1), ScreenValue(kRed));
    EXPECT_EQ(At(1, 2), ScreenValue(kWhite));
}

TEST_P(SurfaceSpriteTest, ADepthChangeRebuildsSpritesInTheNewFormat)
{
    // Full red keeps its value through 5 and 8 bits per channel.
    constexpr Color kFullRed = MakeColor(255, 0, 0);
    auto picture = ScreenImage(4, 4, kFullRed);
    picture->SetPixel(0, 0, 0);
    SurfaceSprite sprite;
    ASSERT_TRUE(sprite.Create(std::move(picture), 4, 4, 0, 0, false));
    AlphaSprite glass;
    ASSERT_TRUE(glass.Create(ScreenImage(4, 4, kFullRed), IndexedImage(4, 4, nullptr, [](int, int) { return 255; }),
                             4, 4, 0, 0, false));
    int depth = DirectDraw::Instance().GetDepth() == 16 ? 32 : 16;
    ASSERT_TRUE(DirectDraw::Instance().SetMode(1024, 768, depth));
    sprite.Restore();
    glass.Restore();
    FillTarget(kWhite);
    sprite.DrawEx(Placed(0, 0));
    glass.DrawEx(Placed(10, 0));
    EXPECT_EQ(At(1, 1), ScreenValue(kFullRed));
    EXPECT_EQ(At(0, 0), ScreenValue(kWhite));
    EXPECT_EQ(At(11, 1), ScreenValue(kFullRed));
}

TEST_P(SurfaceSpriteTest, LostSurfacesAreReportedAndRestoredWithTheirPixels)
{
    int reports = 0;
    DirectDraw::Instance().SetLostSurfaceHandler([&reports] { ++reports; });
    auto sprite = ColumnSprite(4, 4);
    sprite->GetSurface().GetPixelSurface()->MarkLost();
    sprite->DrawEx(Placed(0, 0));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(At(0, 0), 0u);
    sprite->Restore();
    sprite->DrawEx(Placed(0, 0));
    EXPECT_EQ(At(3, 3), ScreenValue(ColumnColor(3)));
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0);
}

TEST_P(SurfaceSpriteTest, AnimatedSpriteForwardsToTheFrameAndLimitsIt)
{
    AnimatedSprite animation(4, 4);
    animation.AddFrame(ColumnSprite(4, 4));
    auto second = std::make_unique<SurfaceSprite>();
    ASSERT_TRUE(second->Create(ScreenImage(6, 2, kRed), 6, 2, 0, 0, false));
    animation.AddFrame(std::move(second));
    EXPECT_EQ(animation.GetFrameCount(), 2);
    EXPECT_EQ(animation.GetWidth(1), 6);
    EXPECT_EQ(animation.GetWidth(7), 6);
    EXPECT_EQ(animation.GetWidth(-1), 4);
    DrawInfo info = Placed(0, 0);
    info.frame = 5;
    animation.DrawEx(info);
    EXPECT_EQ(At(5, 1), ScreenValue(kRed));
    EXPECT_FALSE(animation.IsPixelTransparent({5, 1}, 1));
    EXPECT_TRUE(animation.IsPixelTransparent({5, 1}, 0));
}

// Surface sprites copy pixels whatever their channels: one format of each pixel size.
INSTANTIATE_TEST_SUITE_P(Screens, SurfaceSpriteTest, testing::Values(kScreen565, kScreen8888),
                         ScreenCaseName);

}  // namespace
