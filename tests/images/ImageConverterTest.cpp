#include <set>

#include "ImageTestSupport.h"
#include "images/ImageConverter.h"

namespace {

class ImageConverterTest : public ImageTest {
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        ImageConverter::Instance().ResetDither();
    }

    static std::unique_ptr<Image> TrueColour(int width, int height, int red, int green, int blue)
    {
        auto image = std::make_unique<Image>();
        image->Create(width, height, 24, true);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image->SetPixel(x, y, MakeColor(red, green, blue));
            }
        }
        return image;
    }
};

TEST_F(ImageConverterTest, TheDitherAveragesTheDroppedBitsAndNeverOverflowsAChannel)
{
    // (4, 4, 4) lies halfway between 5-bit levels 0 and 1: about half the pixels round up.
    auto converted = ImageConverter::Instance().ConvertTo16Bit(TrueColour(64, 32, 4, 4, 4));
    ASSERT_EQ(converted->GetDepth(), 16);
    const auto* pixels = reinterpret_cast<const uint16_t*>(converted->GetData());
    int redSum = 0;
    int greenSum = 0;
    int blueSum = 0;
    std::set<uint16_t> rowStarts;
    for (int i = 0; i < 64 * 32; ++i) {
        redSum += pixels[i] >> 11;
        greenSum += (pixels[i] >> 6) & 31;
        blueSum += pixels[i] & 31;
        EXPECT_LE(pixels[i] >> 11, 1);
    }
    for (int y = 0; y < 32; ++y) {
        rowStarts.insert(pixels[y * 64]);
    }
    for (int sum : {redSum, greenSum, blueSum}) {
        EXPECT_NEAR(sum, 64 * 32 / 2, 64) << "each row rounds up every second pixel";
    }
    EXPECT_GT(rowStarts.size(), 1u) << "rows start from the generator, not from one fixed error";

    // White never overflows a channel.
    converted = ImageConverter::Instance().ConvertTo16Bit(TrueColour(16, 4, 255, 255, 255));
    pixels = reinterpret_cast<const uint16_t*>(converted->GetData());
    EXPECT_EQ(pixels[0], (31 << 11) | (31 << 6) | 31);
    EXPECT_EQ(pixels[63], (31 << 11) | (31 << 6) | 31);
}

TEST_F(ImageConverterTest, PalettePicturesConvertThroughTheirPaletteAndAlphaMapsAverageTheChannels)
{
    auto image = std::make_unique<Image>(IndexRow({0, 7}));
    image->GetPalette()[7] = MakeColor(255, 0, 8);
    auto converted = ImageConverter::Instance().ConvertToScreenFormat(std::move(image));
    const auto* pixels = reinterpret_cast<const uint16_t*>(converted->GetData());
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[1], (31 << 11) | 1);
    // Alpha maps average the channels without overflow.
    auto alpha = ImageConverter::Instance().ConvertTo8BitAlpha(TrueColour(1, 1, 255, 255, 254));
    ASSERT_EQ(alpha->GetDepth(), 8);
    EXPECT_EQ(alpha->GetData()[0], 254);
    EXPECT_EQ(alpha->GetPalette()[254], MakeColor(254, 254, 254));
}

TEST_F(ImageConverterTest, WideScreensGetTheChannelsAtTheirByteIndices)
{
    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Xrgb8888());
    auto converted = ImageConverter::Instance().ConvertToScreenFormat(TrueColour(1, 1, 10, 20, 30));
    ASSERT_EQ(converted->GetDepth(), 32);
    EXPECT_EQ(std::vector<uint8_t>(converted->GetData(), converted->GetData() + 4),
              (std::vector<uint8_t>{30, 20, 10, 0}));

    ScreenFormat redFirst;
    ScreenFormat::FromMasks(24, 0x0000FF, 0x00FF00, 0xFF0000, redFirst);
    DirectDraw::Instance().SetScreenFormat(redFirst);
    converted = ImageConverter::Instance().ConvertToScreenFormat(TrueColour(1, 1, 10, 20, 30));
    ASSERT_EQ(converted->GetDepth(), 24);
    EXPECT_EQ(std::vector<uint8_t>(converted->GetData(), converted->GetData() + 3),
              (std::vector<uint8_t>{10, 20, 30}));
}

TEST_F(ImageConverterTest, IllegalSourcesComeBackUnchanged)
{
    auto bits = std::make_unique<Image>();
    bits->Create(4, 4, 1, true);
    Image* original = bits.get();
    auto result = ImageConverter::Instance().ConvertTo16Bit(std::move(bits));
    EXPECT_EQ(result.get(), original);
    EXPECT_TRUE(Logged("ImageConverter::ConvertTo16Bit: illegal source image"));
    auto same = std::make_unique<Image>();
    same->Create(2, 2, 16, true);
    original = same.get();
    EXPECT_EQ(ImageConverter::Instance().ConvertTo16Bit(std::move(same)).get(), original);
}

}  // namespace
