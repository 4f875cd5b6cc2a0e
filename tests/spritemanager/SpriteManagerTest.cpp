#include "spritemanager/SpriteTestSupport.h"

#include "sprites/AlphaSprite.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/SurfaceSprite.h"

namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = 0xFF0000;
// Artwork marks transparency with magenta; it becomes black when loaded.
constexpr Color kClear = 0xFF00FF;

using SpriteManagerTest = GraphicsTest;

TEST_F(SpriteManagerTest, StaticSpriteIsBuiltOnceOnFirstUse)
{
    // A red pixel in the bottom-right corner, the rest transparent: cropping keeps at least 2 x 2.
    dir.Write("pic.bmp", Bmp24(3, 3, {kClear, kClear, kClear, kClear, kClear, kClear, kClear, kClear, kRed}));
    Register("pic", "pic", SpriteInfo::kStatic);
    Sprite* sprite = Sprites().GetSprite("pic");
    ASSERT_NE(dynamic_cast<SurfaceSprite*>(sprite), nullptr);
    EXPECT_EQ(sprite->GetFullWidth(), 3);
    EXPECT_EQ(sprite->GetWidth(0), 2);
    EXPECT_EQ(Sprites().GetSprite("pic"), sprite);
    EXPECT_TRUE(Sprites().FindSpriteInfo("pic")->loaded);
}

TEST_F(SpriteManagerTest, AlphaPictureMakesAnAlphaSpriteAndMirroringFlipsAStaticOne)
{
    dir.Write("glow.bmp", Bmp24(2, 2, {kWhite, kWhite, kWhite, kWhite}));
    dir.Write("glowAlpha.bmp", Bmp24(2, 2, {0x808080, 0x808080, 0x808080, 0x808080}));
    Register("glow", "glow", SpriteInfo::kStatic);
    EXPECT_NE(dynamic_cast<AlphaSprite*>(Sprites().GetSprite("glow")), nullptr);

    dir.Write("arrow.bmp", Bmp24(2, 2, {kRed, kWhite, kRed, kWhite}));
    Register("arrow", "arrow", SpriteInfo::kStatic, 1, true);
    auto* sprite = dynamic_cast<SurfaceSprite*>(Sprites().GetSprite("arrow"));
    ASSERT_NE(sprite, nullptr);
    const Image* image = sprite->GetImage();
    EXPECT_GT(ColorGreen(image->GetPixel(0, 0)), 0);
    EXPECT_GT(ColorRed(image->GetPixel(1, 0)), 0);
    EXPECT_EQ(ColorGreen(image->GetPixel(1, 0)), 0);
}

TEST_F(SpriteManagerTest, AnimatedStripIsCutIntoFramesWithItsTables)
{
    std::vector<Color> strip(2 * 6, kWhite);
    dir.Write("walk.bmp", Bmp24(2, 6, strip));
    dir.Write("walk.txt", "2 1 0\n");
    dir.Write("walk_audioevents.txt", "0.5 schritt\n");
    Register("walk", "walk", SpriteInfo::kAnim, 3);
    auto* sprite = dynamic_cast<AnimatedSprite*>(Sprites().GetSprite("walk"));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetFrameCount(), 3);
    EXPECT_EQ(sprite->GetFullWidth(), 2);
    EXPECT_EQ(sprite->GetFullHeight(), 2);
    EXPECT_EQ(sprite->GetFrameTable(), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(sprite->GetAudioEvents().at(0.5f), "schritt");
}

TEST_F(SpriteManagerTest, UnknownLabelAndMissingPictureGiveNoSprite)
{
    EXPECT_EQ(Sprites().GetSprite("ghost"), nullptr);
    EXPECT_TRUE(Logged("Failed to access SpriteInfo for label ghost."));

    Register("lost", "nowhere", SpriteInfo::kStatic);
    EXPECT_EQ(Sprites().GetSprite("lost"), nullptr);
    EXPECT_TRUE(Logged("SpriteLoaderUtil::LoadImage: Failed to load image <nowhere> from bmp or jpeg!"));
    EXPECT_TRUE(Logged("Failed to load sprite lost."));
    EXPECT_FALSE(Sprites().FindSpriteInfo("lost")->loaded);

    Register("odd", "nowhere", 7);
    EXPECT_EQ(Sprites().GetSprite("odd"), nullptr);
    EXPECT_TRUE(Logged("invalid sprite type supplied in sprite info."));
}

TEST_F(SpriteManagerTest, ReleaseKeepsTheInfoAndReleaseAllForgetsIt)
{
    dir.Write("dot.bmp", Bmp24(2, 2, {kWhite, kWhite, kWhite, kWhite}));
    Register("dot", "dot", SpriteInfo::kStatic);
    ASSERT_NE(Sprites().GetSprite("dot"), nullptr);
    EXPECT_TRUE(Sprites().ReleaseSprite("dot"));
    EXPECT_FALSE(Sprites().ReleaseSprite("dot"));
    EXPECT_FALSE(Sprites().FindSpriteInfo("dot")->loaded);
    EXPECT_NE(Sprites().GetSprite("dot"), nullptr);

    Sprites().ReleaseAll();
    EXPECT_EQ(Sprites().LoadedCount(), 0);
    EXPECT_EQ(Sprites().FindSpriteInfo("dot"), nullptr);
}

TEST_F(SpriteManagerTest, LostSurfaceIsRestoredOnceBeforePresenting)
{
    dir.Write("dot.bmp", Bmp24(2, 2, {kWhite, kWhite, kWhite, kWhite}));
    Register("dot", "dot", SpriteInfo::kStatic);
    auto* sprite = dynamic_cast<SurfaceSprite*>(Sprites().GetSprite("dot"));
    ASSERT_NE(sprite, nullptr);

    Sprites().RestoreIfNeeded();
    EXPECT_FALSE(Logged("Restoring surfaces."));

    platform::PixelSurface::MarkAllLost();
    DirectDraw::Instance().ReportLostSurface();
    EXPECT_TRUE(Sprites().IsRestoreNeeded());
    Sprites().RestoreIfNeeded();
    EXPECT_FALSE(Sprites().IsRestoreNeeded());
    EXPECT_FALSE(sprite->GetSurface().IsLost());
    EXPECT_FALSE(DirectDraw::Instance().GetRenderTarget()->IsLost());
    EXPECT_TRUE(Logged("Restoring surfaces.\n"));
    EXPECT_TRUE(Logged("Restoring surfaces done.\n"));
}

}  // namespace
