#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>
#include <vector>

#include "ScreenFixture.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/DecodedFrameCache.h"
#include "sprites/RleRowReader.h"

namespace {

constexpr Color kOrange = MakeColor(200, 100, 50);

// Palette: 0 black (transparent), 1 orange, 2 to 33 a colour per column.
std::array<Color, 256> TestPalette()
{
    std::array<Color, 256> palette{};
    palette[1] = kOrange;
    for (int i = 0; i < 32; ++i) {
        palette[2 + i] = MakeColor(8 * i + 8, 255 - 8 * i, 64);
    }
    return palette;
}

class RleSpriteTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        palette = TestPalette();
    }

    // The screen value of 8-bit channels as the run-length drawing writes them opaque.
    uint32_t Opaque(Color color) const
    {
        const ScreenFormat& format = DirectDraw::Instance().GetScreenFormat();
        auto channel = [&format](int c) {
            return static_cast<uint32_t>(format.depth == 16 ? std::min(255, (c + 4) & ~7) >> 3 : c);
        };
        return channel(ColorRed(color)) << format.redShift | channel(ColorGreen(color)) << format.greenShift |
               channel(ColorBlue(color)) << format.blueShift;
    }

    // Frame of width x height whose column x has the colour of palette entry 2 + x.
    std::unique_ptr<AnimatedRLESprite> ColumnSprite(int width, int height)
    {
        auto strip = IndexedImage(width, height, palette.data(), [](int x, int) { return 2 + x; });
        auto sprite = std::make_unique<AnimatedRLESprite>();
        EXPECT_TRUE(sprite->Create(*strip, nullptr, 1, false));
        return sprite;
    }

    std::array<Color, 256> palette{};
};

TEST_P(RleSpriteTest, AlphaThresholdsLeaveBlendOrCover)
{
    auto strip = IndexedImage(4, 1, palette.data(), [](int, int) { return 1; });
    const uint8_t alphas[4] = {10, 250, 128, 16};
    auto alpha = IndexedImage(4, 1, nullptr, [&alphas](int x, int) { return alphas[x]; });
    AnimatedRLESprite sprite;
    ASSERT_TRUE(sprite.Create(*strip, alpha.get(), 1, false));
    ASSERT_TRUE(sprite.HasAlpha());
    sprite.DrawEx(Placed(10, 10));
    EXPECT_EQ(At(10, 10), 0u);
    EXPECT_EQ(At(11, 10), Opaque(kOrange));
    const ScreenFormat& format = DirectDraw::Instance().GetScreenFormat();
    uint32_t half = At(12, 10);
    int expectedRed = format.depth == 16 ? (25 * 128) >> 8 : (200 * 128) >> 8;
    int expectedBlue = format.depth == 16 ? (6 * 128) >> 8 : (50 * 128) >> 8;
    EXPECT_EQ(static_cast<int>((half & format.redMask) >> format.redShift), expectedRed);
    EXPECT_EQ(static_cast<int>((half & format.blueMask) >> format.blueShift), expectedBlue);
    EXPECT_NE(At(13, 10), 0u);
}

TEST_P(RleSpriteTest, WithoutAlphaDrawingAndDecodingAgreeThatOnlyBlackIsTransparent)
{
    // Black, a colour, and a near-black that rounds to black on 16-bit screens.
    palette[2] = MakeColor(2, 1, 3);
    auto strip = IndexedImage(3, 1, palette.data(), [](int x, int) { return x; });
    AnimatedRLESprite sprite;
    ASSERT_TRUE(sprite.Create(*strip, nullptr, 1, false));
    uint32_t decoded[3] = {};
    ASSERT_TRUE(ImageUtil::Instance().RunLengthDecode(sprite.GetFrameImage(0), nullptr, decoded, 3));
    FillTarget(MakeColor(255, 255, 255));
    uint32_t white = At(0, 0);
    sprite.DrawEx(Placed(0, 0));
    for (int x = 0; x < 3; ++x) {
        bool drawn = At(x, 0) != white;
        EXPECT_EQ(drawn, decoded[x] >> 24 == 255) << x;
        EXPECT_EQ(drawn, x != 0) << x;
    }
}

TEST_P(RleSpriteTest, FramesAreCutFromTheStripAndCroppedWithAMargin)
{
    // Two 20 x 20 cells; frame 1 holds one pixel at (10, 12).
    auto strip = IndexedImage(20, 40, palette.data(), [](int x, int y) {
        return (y < 20 && x > 2) || (x == 10 && y == 32) ? 1 : 0;
    });
    AnimatedRLESprite sprite;
    ASSERT_TRUE(sprite.Create(*strip, nullptr, 2, true));
    EXPECT_EQ(sprite.GetFrameCount(), 2);
    EXPECT_EQ(sprite.GetFullWidth(), 20);
    EXPECT_EQ(sprite.GetFullHeight(), 20);
    EXPECT_EQ(sprite.GetFrameRect(1), (ImageRect{8, 10, 12, 14}));
    EXPECT_EQ(sprite.GetWidth(1), 5);
    EXPECT_EQ(sprite.GetFrameRect(0), (ImageRect{1, 0, 19, 19}));
    // Frame queries limit the frame number.
    EXPECT_EQ(sprite.GetWidth(-3), sprite.GetWidth(0));
    EXPECT_EQ(sprite.GetHeight(9), sprite.GetHeight(1));
    DrawInfo info = Placed(100, 100);
    info.frame = 1;
    sprite.DrawEx(info);
    EXPECT_EQ(At(110, 112), Opaque(kOrange));
    EXPECT_EQ(At(109, 112), 0u);
    EXPECT_EQ(At(111, 112), 0u);
}

TEST_P(RleSpriteTest, BottomCenterAnchorCoversTheCellAboveThePositionAndEdgesClipTheDecodedFrame)
{
    auto strip = IndexedImage(40, 60, palette.data(), [](int, int) { return 1; });
    AnimatedRLESprite cell;
    ASSERT_TRUE(cell.Create(*strip, nullptr, 1, true));
    cell.DrawEx(Placed(100, 200, DI_BOTTOM_CENTER));
    EXPECT_EQ(At(80, 140), Opaque(kOrange));
    EXPECT_EQ(At(119, 199), Opaque(kOrange));
    for (auto [x, y] : {std::pair{79, 140}, {120, 199}, {80, 139}, {80, 200}}) {
        EXPECT_EQ(At(x, y), 0u) << x << ", " << y;
    }

    auto sprite = ColumnSprite(16, 4);
    sprite->DrawEx(Placed(-10, 766));
    EXPECT_EQ(At(0, 766), Opaque(palette[2 + 10]));
    EXPECT_EQ(At(5, 767), Opaque(palette[2 + 15]));
    EXPECT_EQ(At(6, 766), 0u);
    sprite->DrawEx(Placed(1020, -2));
    EXPECT_EQ(At(1020, 0), Opaque(palette[2]));
    EXPECT_EQ(At(1023, 1), Opaque(palette[2 + 3]));
    EXPECT_EQ(At(1023, 2), 0u);
}

TEST_P(RleSpriteTest, HalfScalePicksColumnsByNearestNeighbourAlsoWhenClipped)
{
    auto sprite = ColumnSprite(16, 16);
    sprite->DrawEx(Placed(100, 100, 0, 0.5f));
    std::vector<uint32_t> expected, drawn;
    for (int column : {0, 1, 3, 5, 7, 9, 11}) {
        expected.push_back(Opaque(palette[2 + column]));
    }
    for (int x = 98; x < 110; ++x) {
        if (At(x, 103) != 0) {
            drawn.push_back(At(x, 103));
        }
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(At(100, 99), 0u);
    EXPECT_NE(At(100, 106), 0u);
    EXPECT_EQ(At(100, 107), 0u);
    // Clipped at the left it keeps its sampling.
    sprite->DrawEx(Placed(-3, 100, 0, 0.5f));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(At(x, 100), Opaque(palette[2 + 5 + 2 * x])) << x;
    }
    EXPECT_EQ(At(4, 100), 0u);
}

TEST_P(RleSpriteTest, BrokenFramesAreRefusedWithoutOverrunAndUnsupportedRequestsLogged)
{
    auto encoded = [this](int width, int height) {
        auto frame = IndexedImage(width, height, palette.data(), [](int, int) { return 1; });
        EXPECT_TRUE(ImageUtil::Instance().RunLengthEncode(*frame));
        return frame;
    };
    AnimatedRLESprite sprite;
    EXPECT_FALSE(sprite.AddFrame(encoded(700, 600), nullptr, {0, 0, 699, 599}));
    EXPECT_NE(Log().find("exceeds the scratch buffer"), std::string::npos);

    auto frame = encoded(8, 8);
    std::vector<uint8_t> cut(frame->GetData(), frame->GetData() + frame->GetEncodedSize() / 2);
    frame->SetData(cut);
    EXPECT_FALSE(sprite.AddFrame(std::move(frame), nullptr, {0, 0, 7, 7}));
    EXPECT_NE(Log().find("ends early"), std::string::npos);
    EXPECT_EQ(sprite.GetFrameCount(), 0);
    sprite.DrawEx(Placed(0, 0));
    EXPECT_EQ(At(0, 0), 0u);

    // Destination sizes and pixel collisions are not supported.
    auto columns = ColumnSprite(4, 4);
    columns->DrawEx(Placed(0, 0, DI_DEST_SIZE));
    EXPECT_EQ(At(0, 0), 0u);
    EXPECT_TRUE(columns->IsPixelTransparent({1, 1}, 0));
    EXPECT_NE(Log().find("DI_DEST_SIZE Blit wird derzeit nicht unterst\xFCtzt!"), std::string::npos);
    EXPECT_NE(Log().find("Pixelcollision bei RLE-Sprites noch nicht implementiert!"), std::string::npos);
}

TEST_P(RleSpriteTest, ArbitraryStreamsAndPlacesNeverReachOutside)
{
    std::mt19937 random(1234);
    int accepted = 0;
    auto below = [&random](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
    for (int trial = 0; trial < 200; ++trial) {
        int width = 1 + below(40);
        int height = 1 + below(40);
        auto frame = std::make_unique<Image>();
        frame->Create(width, height, 8, true);
        frame->SetPalette(palette.data());
        std::vector<uint8_t> stream(static_cast<size_t>(below(3 * width * height + 4)));
        for (uint8_t& byte : stream) {
            byte = static_cast<uint8_t>(below(256));
        }
        frame->SetData(stream);
        frame->MarkEncoded(static_cast<int>(stream.size()) + below(8));
        AnimatedRLESprite sprite;
        sprite.SetCellSize(width + below(20), height + below(20));
        if (!sprite.AddFrame(std::move(frame), nullptr, {0, 0, width - 1, height - 1})) {
            continue;
        }
        ++accepted;
        DrawInfo info = Placed(below(1200) - 100, below(900) - 100, below(2) ? DI_BOTTOM_CENTER : DI_CENTER,
                               below(4) == 0 ? 1.0f : 0.1f + below(30) / 10.0f);
        info.frame = below(5) - 2;
        sprite.DrawEx(info);
    }
    // Enough streams pass the check to exercise drawing.
    EXPECT_GT(accepted, 20);
}

TEST(RleRowReader, UnpacksRunsAndLiteralsCuttingPacketsAtTheRowEndAndStopsOnBrokenOnes)
{
    // Two rows of 3: a run of 5 (cut to 3), then a literal of 2 and a run of 1.
    Image image;
    image.Create(3, 2, 8, true);
    image.SetData({5, 7, static_cast<uint8_t>(-2), 1, 2, 1, 9});
    image.MarkEncoded(7);
    RleRowReader reader(image);
    uint8_t row[3] = {};
    for (std::vector<uint8_t> expected : {std::vector<uint8_t>{7, 7, 7}, {1, 2, 9}}) {
        ASSERT_TRUE(reader.ReadRow(row));
        EXPECT_EQ(std::vector<uint8_t>(row, row + 3), expected);
    }
    EXPECT_FALSE(reader.ReadRow(row));

    // A zero control byte or a short literal stops it.
    image.SetData({0, 1});
    image.MarkEncoded(2);
    EXPECT_FALSE(RleRowReader(image).SkipRow());
    image.SetData({static_cast<uint8_t>(-4), 1, 2});
    image.MarkEncoded(3);
    EXPECT_FALSE(RleRowReader(image).ReadRow(row));
}

// A picture of width x height whose every row is one run of value.
Image RunImage(int width, int height, uint8_t value)
{
    Image image;
    image.Create(width, height, 8, true);
    std::vector<uint8_t> data;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 127) {
            data.push_back(static_cast<uint8_t>(std::min(left, 127)));
            data.push_back(value);
        }
    }
    image.SetData(data);
    image.MarkEncoded(static_cast<int>(data.size()));
    return image;
}

TEST(DecodedFrameCache, UnpacksFramesOnceAndKeepsTheRecentOnesWithinItsBudget)
{
    DecodedFrameCache::Release();
    DecodedFrameCache& cache = DecodedFrameCache::Instance();
    Image colors = RunImage(3, 2, 7);
    Image alphas = RunImage(3, 2, 200);
    uint64_t small = DecodedFrameCache::NewKey();
    const uint8_t* pixels = cache.Find(small, colors, &alphas);
    ASSERT_NE(pixels, nullptr);
    std::vector<uint8_t> expected{7, 7, 7, 7, 7, 7, 200, 200, 200, 200, 200, 200};
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 12), expected);
    EXPECT_EQ(cache.Find(small, colors, &alphas), pixels);

    // Megabyte frames fill the budget: the least recently used go first, the one in use stays.
    Image big = RunImage(1024, 1024, 3);
    std::vector<uint64_t> keys;
    for (size_t i = 0; i < DecodedFrameCache::kBudgetBytes / (1 << 20); ++i) {
        keys.push_back(DecodedFrameCache::NewKey());
        ASSERT_NE(cache.Find(keys.back(), big, nullptr), nullptr);
        cache.Find(small, colors, &alphas);
    }
    EXPECT_LE(cache.HeldBytes(), DecodedFrameCache::kBudgetBytes);
    EXPECT_EQ(cache.HeldBytes(), (keys.size() - 1) * (1 << 20) + 12);
    cache.Forget(small);
    EXPECT_EQ(cache.HeldBytes(), (keys.size() - 1) * (1 << 20));

    // A stream cut short is not kept.
    Image cut = RunImage(3, 2, 7);
    cut.MarkEncoded(2);
    EXPECT_EQ(cache.Find(DecodedFrameCache::NewKey(), cut, nullptr), nullptr);
    DecodedFrameCache::Release();
}

INSTANTIATE_TEST_SUITE_P(Screens, RleSpriteTest, testing::Values(kScreen565, kScreen555, kScreen8888),
                         ScreenCaseName);

TEST_F(TwentyFourBitScreenTest, RleSpritesTakeTheBytesAtTheColourIndices)
{
    auto palette = TestPalette();
    auto strip = IndexedImage(2, 1, palette.data(), [](int x, int) { return x == 0 ? 1 : 0; });
    AnimatedRLESprite sprite;
    ASSERT_TRUE(sprite.Create(*strip, nullptr, 1, false));
    sprite.DrawEx(Placed(5, 0));
    EXPECT_EQ(At(5, 0), kOrange);
    EXPECT_EQ(At(6, 0), 0u);
}

}  // namespace
