#include "ImageTestSupport.h"

namespace {

class ImagePixels : public ImageTest {};

TEST_F(ImagePixels, CreateChecksDepthAndSizeAndGivesEightBitsAGreyPalette)
{
    Image image;
    EXPECT_FALSE(image.Create(4, 4, 12, true));
    EXPECT_FALSE(image.Create(0, 4, 8, true));
    EXPECT_FALSE(image.Create(20000, 4, 8, true));
    EXPECT_TRUE(image.IsEmpty());
    ASSERT_TRUE(image.Create(3, 3, 1, true));
    EXPECT_EQ(image.GetDataSize(), 2u);
    ASSERT_TRUE(image.Create(3, 2, 8, true));
    EXPECT_EQ(image.GetDataSize(), 6u);
    EXPECT_EQ(image.GetPalette()[200], MakeColor(200, 200, 200));
}

TEST_F(ImagePixels, SixteenAndThirtyTwoBitPixelsFollowTheScreenFormat)
{
    Image image;
    image.Create(2, 1, 16, true);
    image.SetPixel(0, 0, MakeColor(255, 130, 7));
    const auto* pixels = reinterpret_cast<const uint16_t*>(image.GetData());
    // 5-6-5 with green shift 6: every channel keeps 5 bits, the lowest green bit stays 0.
    EXPECT_EQ(pixels[0], (31 << 11) | (16 << 6) | 0);
    EXPECT_EQ(image.GetPixel(0, 0), MakeColor(248, 128, 0));

    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Rgb555());
    image.SetPixel(1, 0, MakeColor(8, 16, 255));
    EXPECT_EQ(pixels[1], (1 << 10) | (2 << 5) | 31);

    // Thirty-two bits keep eight bits per channel.
    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Xrgb8888());
    Image wide;
    wide.Create(1, 1, 32, true);
    wide.SetPixel(0, 0, MakeColor(1, 2, 3));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(wide.GetData()), 0x010203u);
    EXPECT_EQ(wide.GetPixel(0, 0), MakeColor(1, 2, 3));
}

TEST_F(ImagePixels, OneBitPixelsAreBlackWhenSet)
{
    Image image;
    image.Create(10, 1, 1, true);
    image.SetPixel(0, 0, MakeColor(0, 0, 0));
    image.SetPixel(9, 0, MakeColor(200, 0, 5));
    EXPECT_EQ(image.GetData()[0], 0x80);
    EXPECT_EQ(image.GetData()[1], 0x40);
    EXPECT_EQ(image.GetPixel(1, 0), MakeColor(255, 255, 255));
    image.SetPixel(9, 0, MakeColor(1, 1, 1));
    EXPECT_EQ(image.GetData()[1], 0x00);
}

TEST_F(ImagePixels, PaletteLookUpsTakeTheFirstMatchOrZero)
{
    Image image = IndexRow({0, 0});
    Color palette[256] = {};
    palette[5] = MakeColor(9, 9, 9);
    palette[6] = MakeColor(9, 9, 9);
    image.SetPalette(palette);
    EXPECT_EQ(image.FindPaletteIndex(MakeColor(9, 9, 9)), 5);
    EXPECT_EQ(image.FindPaletteIndex(MakeColor(1, 2, 3)), 0);
    image.SetPixel(1, 0, MakeColor(9, 9, 9));
    EXPECT_EQ(image.GetData()[1], 5);
}

TEST_F(ImagePixels, MirroringKeepsTheByteOrderOfPixels)
{
    Image image;
    image.Create(3, 1, 24, true);
    std::vector<uint8_t> bytes{1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::copy(bytes.begin(), bytes.end(), image.GetData());
    image.MirrorHorizontal();
    EXPECT_EQ(std::vector<uint8_t>(image.GetData(), image.GetData() + 9),
              (std::vector<uint8_t>{7, 8, 9, 4, 5, 6, 1, 2, 3}));

    Image bits;
    bits.Create(3, 2, 1, true);
    bits.SetPixel(0, 0, 0);
    bits.SetPixel(1, 1, 0);
    bits.MirrorHorizontal();
    EXPECT_EQ(bits.GetPixel(2, 0), MakeColor(0, 0, 0));
    EXPECT_EQ(bits.GetPixel(0, 0), MakeColor(255, 255, 255));
    EXPECT_EQ(bits.GetPixel(1, 1), MakeColor(0, 0, 0));
}

}  // namespace
