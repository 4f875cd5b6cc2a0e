#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "../sprites/ScreenFixture.h"
#include "TestScene.h"

namespace {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& rgb, std::ostream* out)
{
    *out << "(" << rgb.red << ", " << rgb.green << ", " << rgb.blue << ")";
}

// A 24-bit bottom-up BMP as the snapshot writes it.
class Snapshot {
public:
    explicit Snapshot(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    int Field(size_t offset) const
    {
        return static_cast<int>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8 |
                                static_cast<uint8_t>(bytes[offset + 2]) << 16 |
                                static_cast<uint8_t>(bytes[offset + 3]) << 24);
    }

    bool IsFrame() const
    {
        return bytes.size() >= 54 && bytes[0] == 'B' && bytes[1] == 'M' && Field(18) == 1024 && Field(22) == 768 &&
               (Field(28) & 0xFFFF) == 24 && bytes.size() >= static_cast<size_t>(Field(10)) + 1024 * 768 * 3;
    }

    Rgb At(int x, int y) const
    {
        size_t at = static_cast<size_t>(Field(10)) + static_cast<size_t>(767 - y) * 1024 * 3 + x * 3;
        return {static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                static_cast<uint8_t>(bytes[at])};
    }

private:
    std::string bytes;
};

class SceneSnapshotTest : public ScreenTest {
protected:
    bool Sixteen() const { return DirectDraw::Instance().GetDepth() == 16; }
    // An 8-bit colour channel as the screen holds it, and the screen's channel as the snapshot widens it.
    int Screen(int channel) const { return Sixteen() ? channel >> 3 : channel; }
    int Widened(int channel) const { return Sixteen() ? (channel << 3 | channel >> 2) : channel; }

    Rgb Plain(Color color) const
    {
        return {Widened(Screen(ColorRed(color))), Widened(Screen(ColorGreen(color))), Widened(Screen(ColorBlue(color)))};
    }

    // d + ((s - d) x 128 >> 8) per channel of the screen format.
    Rgb Half(Color sprite, Color screen) const
    {
        auto mix = [this](int s, int d) { return Widened(Screen(d) + (((Screen(s) - Screen(d)) * 128) >> 8)); };
        return {mix(ColorRed(sprite), ColorRed(screen)), mix(ColorGreen(sprite), ColorGreen(screen)),
                mix(ColorBlue(sprite), ColorBlue(screen))};
    }
};

TEST_P(SceneSnapshotTest, EverySpriteTypeLandsWhereAndHowItShould)
{
    TestScene scene;
    RenderEngine::Instance().Clear();
    scene.Queue();
    RenderEngine::Instance().Flush();
    std::filesystem::path file = dir.Path() / "scene.bmp";
    ASSERT_TRUE(DirectDraw::Instance().WriteSnapshot(file.string().c_str()));
    Snapshot snapshot(file);
    ASSERT_TRUE(snapshot.IsFrame());

    const Rgb background = Plain(TestScene::kBackground);
    EXPECT_EQ(snapshot.At(50, 50), background);
    EXPECT_EQ(snapshot.At(1023, 767), background);
    // The cropped mask keeps its place in the cell.
    EXPECT_EQ(snapshot.At(100, 100), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot.At(163, 163), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot.At(99, 100), background);
    EXPECT_EQ(snapshot.At(164, 163), background);
    EXPECT_EQ(snapshot.At(325, 125), Half(TestScene::kWhite, TestScene::kBackground));
    EXPECT_EQ(snapshot.At(530, 120), (Rgb{0, 0, Widened(Screen(160) >> 1)}));
    EXPECT_EQ(snapshot.At(560, 120), background);
    EXPECT_EQ(snapshot.At(715, 115), Plain(TestScene::kGreen));
    // The figure: opaque bottom half, blended top half, bottom centre at (200, 400).
    EXPECT_EQ(snapshot.At(180, 399), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot.At(219, 370), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot.At(200, 340), Half(TestScene::kOrange, TestScene::kBackground));
    EXPECT_EQ(snapshot.At(200, 339), background);
    EXPECT_EQ(snapshot.At(220, 399), background);
    EXPECT_EQ(snapshot.At(200, 400), background);
    // At half scale it covers about half the cell.
    EXPECT_EQ(snapshot.At(390, 398), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot.At(408, 390), Plain(TestScene::kOrange));
    EXPECT_EQ(snapshot.At(395, 370), Half(TestScene::kOrange, TestScene::kBackground));
    EXPECT_EQ(snapshot.At(409, 390), background);
    EXPECT_EQ(snapshot.At(395, 369), background);
    EXPECT_EQ(snapshot.At(615, 415), Plain(TestScene::kRed));
    EXPECT_EQ(snapshot.At(632, 415), background);
    EXPECT_EQ(snapshot.At(600, 432), background);
    // Depth order: yellow (3.0) over purple (2.5), though queued first.
    EXPECT_EQ(snapshot.At(130, 330), Plain(TestScene::kYellow));
    EXPECT_EQ(snapshot.At(160, 360), Plain(TestScene::kPurple));
}

INSTANTIATE_TEST_SUITE_P(Screens, SceneSnapshotTest, testing::Values(kScreen565, kScreen8888), ScreenCaseName);

}  // namespace
