#include <gtest/gtest.h>

#include "TestScene.h"
#include "images/BmpLoader.h"

namespace {

class SceneSnapshotTest : public ScreenTest {
protected:
    bool Sixteen() const { return DirectDraw::Instance().GetDepth() == 16; }
    // An 8-bit colour channel as the screen holds it, and the screen's channel as the snapshot widens it.
    int Screen(int channel) const { return Sixteen() ? channel >> 3 : channel; }
    int Widened(int channel) const { return Sixteen() ? (channel << 3 | channel >> 2) : channel; }

    Color Plain(Color color) const
    {
        return MakeColor(Widened(Screen(ColorRed(color))), Widened(Screen(ColorGreen(color))),
                         Widened(Screen(ColorBlue(color))));
    }

    // d + ((s - d) x 128 >> 8) per channel of the screen format.
    Color Half(Color sprite, Color screen) const
    {
        auto mix = [this](int s, int d) { return Widened(Screen(d) + (((Screen(s) - Screen(d)) * 128) >> 8)); };
        return MakeColor(mix(ColorRed(sprite), ColorRed(screen)), mix(ColorGreen(sprite), ColorGreen(screen)),
                         mix(ColorBlue(sprite), ColorBlue(screen)));
    }
};

TEST_P(SceneSnapshotTest, EverySpriteTypeLandsWhereAndHowItShould)
{
    TestScene scene;
    RenderEngine::Instance().Clear();
    scene.Queue();
    RenderEngine::Instance().Flush();
    ASSERT_TRUE(DirectDraw::Instance().WriteSnapshot("scene.bmp"));
    std::unique_ptr<Image> snapshot = BmpLoader::Instance().Load("scene.bmp");
    ASSERT_NE(snapshot, nullptr);
    ASSERT_EQ(snapshot->GetDepth(), 24);
    ASSERT_EQ((std::pair{snapshot->GetWidth(), snapshot->GetHeight()}), (std::pair{1024, 768}));

    const Color background = Plain(TestScene::kBackground);
    EXPECT_EQ(snapshot->GetPixel(50, 50), background);
    EXPECT_EQ(snapshot->GetPixel(1023, 767), background);
    // The cropped mask keeps its place in the cell.
    EXPECT_EQ(snapshot->GetPixel(100, 100), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot->GetPixel(163, 163), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot->GetPixel(99, 100), background);
    EXPECT_EQ(snapshot->GetPixel(164, 163), background);
    EXPECT_EQ(snapshot->GetPixel(325, 125), Half(TestScene::kWhite, TestScene::kBackground));
    EXPECT_EQ(snapshot->GetPixel(530, 120), MakeColor(0, 0, Widened(Screen(160) >> 1)));
    EXPECT_EQ(snapshot->GetPixel(560, 120), background);
    EXPECT_EQ(snapshot->GetPixel(715, 115), Plain(TestScene::kGreen));
    // The figure: opaque bottom half, blended top half, bottom centre at (200, 400).
    EXPECT_EQ(snapshot->GetPixel(180, 399), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot->GetPixel(219, 370), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot->GetPixel(200, 340), Half(TestScene::kOrange, TestScene::kBackground));
    EXPECT_EQ(snapshot->GetPixel(200, 339), background);
    EXPECT_EQ(snapshot->GetPixel(220, 399), background);
    EXPECT_EQ(snapshot->GetPixel(200, 400), background);
    // At half scale it covers about half the cell.
    EXPECT_EQ(snapshot->GetPixel(390, 398), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot->GetPixel(408, 390), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot->GetPixel(395, 370), Half(TestScene::kOrange, TestScene::kBackground));
    EXPECT_EQ(snapshot->GetPixel(409, 390), background);
    EXPECT_EQ(snapshot->GetPixel(395, 369), background);
    EXPECT_EQ(snapshot->GetPixel(615, 415), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot->GetPixel(632, 415), background);
    EXPECT_EQ(snapshot->GetPixel(600, 432), background);
    // Depth order: yellow (3.0) over purple (2.5), though queued first.
    EXPECT_EQ(snapshot->GetPixel(130, 330), Plain(TestScene::kYellow));
    EXPECT_EQ(snapshot->GetPixel(160, 360), Plain(TestScene::kPurple));
}

INSTANTIATE_TEST_SUITE_P(Screens, SceneSnapshotTest, testing::Values(kScreen565, kScreen8888), ScreenCaseName);

}  // namespace
