#include "ImageTestSupport.h"
#include "images/ImageUtil.h"

namespace {

class ImageUtilTest : public ImageTest {
protected:
    static ImageUtil& Util() { return ImageUtil::Instance(); }

    static std::vector<uint8_t> Stream(const Image& image)
    {
        return std::vector<uint8_t>(image.GetData(), image.GetData() + image.GetEncodedSize());
    }

    static std::vector<uint8_t> Encoded(const std::vector<uint8_t>& indices)
    {
        Image image = IndexRow(indices);
        Util().RunLengthEncode(image);
        return Stream(image);
    }
};

TEST_F(ImageUtilTest, MagentaBecomesBlackAndNearBlackIsLifted)
{
    Image image = IndexRow({0});
    Color* palette = image.GetPalette();
    palette[1] = MakeColor(250, 0, 250);
    palette[2] = MakeColor(250, 10, 250);
    palette[3] = MakeColor(5, 5, 5);
    palette[4] = MakeColor(5, 5, 16);
    ASSERT_TRUE(Util().RemapTransparentColor(image));
    EXPECT_EQ(palette[1], MakeColor(0, 0, 0));
    EXPECT_EQ(palette[2], MakeColor(250, 10, 250));
    EXPECT_EQ(palette[3], MakeColor(16, 16, 16));
    EXPECT_EQ(palette[4], MakeColor(5, 5, 16));
    EXPECT_EQ(palette[0], MakeColor(16, 16, 16)) << "black artwork stays visible";

    Image pixels;
    pixels.Create(2, 1, 24, true);
    pixels.SetPixel(0, 0, MakeColor(5, 5, 5));
    pixels.SetPixel(1, 0, MakeColor(255, 3, 241));
    ASSERT_TRUE(Util().RemapTransparentColor(pixels));
    EXPECT_EQ(pixels.GetPixel(0, 0), MakeColor(8, 8, 8));
    EXPECT_EQ(pixels.GetPixel(1, 0), MakeColor(0, 0, 0));
}

TEST_F(ImageUtilTest, AlphaRemapsOnlyTouchMagentaOfPalettes)
{
    Image image = IndexRow({0});
    image.GetPalette()[1] = MakeColor(240, 7, 240);
    ASSERT_TRUE(Util().RemapTransparentColorAlpha(image));
    EXPECT_EQ(image.GetPalette()[1], MakeColor(0, 0, 0));
    EXPECT_EQ(image.GetPalette()[3], MakeColor(3, 3, 3)) << "near black stays";
    Image wide;
    wide.Create(1, 1, 24, true);
    EXPECT_FALSE(Util().RemapTransparentColorAlpha(wide));
    EXPECT_TRUE(Logged("ImageUtil::RemapTransparentColorAlpha: Only 8Bit Images allowed!\n"));
}

TEST_F(ImageUtilTest, MasksBlackenEverySetBitAndBoundingRectanglesHoldEveryNonBlackPixel)
{
    Image image;
    image.Create(3, 1, 24, true);
    for (int x = 0; x < 3; ++x) {
        image.SetPixel(x, 0, MakeColor(100, 100, 100));
    }
    Image mask;
    mask.Create(3, 1, 1, true);
    mask.SetPixel(1, 0, MakeColor(0, 0, 0));
    ASSERT_TRUE(Util().ApplyMask(image, mask));
    EXPECT_EQ(image.GetPixel(0, 0), MakeColor(100, 100, 100));
    EXPECT_EQ(image.GetPixel(1, 0), MakeColor(0, 0, 0));
    Image small;
    small.Create(2, 1, 1, true);
    EXPECT_FALSE(Util().ApplyMask(image, small));
    EXPECT_TRUE(Logged("Mask size must fit image size.\n"));
    // Bounding rectangles hold every non-black pixel.
    Image sparse;
    sparse.Create(6, 5, 8, true);
    EXPECT_EQ(Util().GetBoundingRect(sparse), (ImageRect{3, 2, 3, 2})) << "an empty picture gives its centre";
    sparse.GetData()[1 * 6 + 4] = 9;
    sparse.GetData()[3 * 6 + 2] = 9;
    EXPECT_EQ(Util().GetBoundingRect(sparse), (ImageRect{2, 1, 4, 3}));
}

TEST_F(ImageUtilTest, RectangleCopiesCheckDepthAndBothPictures)
{
    Image source = IndexRow({1, 2, 3, 4});
    Image target;
    target.Create(3, 2, 8, true);
    ASSERT_TRUE(Util().CopyRect(source, target, {1, 0, 2, 0}, 1, 1));
    EXPECT_EQ(std::vector<uint8_t>(target.GetData(), target.GetData() + 6), (std::vector<uint8_t>{0, 0, 0, 0, 2, 3}));
    EXPECT_FALSE(Util().CopyRect(source, target, {0, 0, 3, 0}, 1, 0));
    EXPECT_TRUE(Logged("Src image rect dimensions do not fit to destination.\n"));
    EXPECT_FALSE(Util().CopyRect(source, target, {3, 0, 4, 0}, 0, 0)) << "beyond the source's right edge";
    Image wide;
    wide.Create(3, 2, 24, true);
    EXPECT_FALSE(Util().CopyRect(source, wide, {0, 0, 0, 0}, 0, 0));
    EXPECT_TRUE(Logged("Image depths are different. Cant copy.\n"));
}

TEST_F(ImageUtilTest, RunLengthCodingSplitsLongRunsAndRowsAndMarksLiterals)
{
    EXPECT_EQ(Encoded(std::vector<uint8_t>(200, 5)), (std::vector<uint8_t>{127, 5, 73, 5}));
    EXPECT_EQ(Encoded({1, 2, 3, 4, 4, 4, 4, 9}), (std::vector<uint8_t>{0xFD, 1, 2, 3, 4, 4, 0xFF, 9}));
    EXPECT_EQ(Encoded({7, 7, 7}), (std::vector<uint8_t>{0xFD, 7, 7, 7})) << "three equal pixels are no run";
    std::vector<uint8_t> literals(130);
    for (size_t i = 0; i < literals.size(); ++i) {
        literals[i] = static_cast<uint8_t>(i);
    }
    std::vector<uint8_t> stream = Encoded(literals);
    ASSERT_EQ(stream.size(), 132u);
    EXPECT_EQ(stream[0], 0x81);
    EXPECT_EQ(stream[128], 0xFD);

    // Rows are coded each by itself.
    Image image;
    image.Create(4, 2, 8, true);
    std::fill(image.GetData(), image.GetData() + 8, 6);
    ASSERT_TRUE(Util().RunLengthEncode(image));
    EXPECT_EQ(Stream(image), (std::vector<uint8_t>{4, 6, 4, 6}));
    EXPECT_TRUE(image.IsEncoded());
    ASSERT_TRUE(Util().RunLengthEncode(image)) << "encoding twice changes nothing";
    EXPECT_EQ(Stream(image), (std::vector<uint8_t>{4, 6, 4, 6}));
}

TEST_F(ImageUtilTest, DecodingMakesBlackTransparentAndEveryOtherColourOpaqueInTheScreensDepth)
{
    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Xrgb8888());
    Image image = IndexRow({0, 1, 1, 1, 1, 2});
    image.GetPalette()[1] = MakeColor(10, 20, 30);
    Util().RunLengthEncode(image);
    uint32_t out[6] = {};
    ASSERT_TRUE(Util().RunLengthDecode(&image, nullptr, out, 6));
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], 0xFF0A141Eu);
    EXPECT_EQ(out[4], 0xFF0A141Eu);
    EXPECT_EQ(out[5], 0xFF020202u);

    // Sixteen-bit screens round the channels to five bits.
    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Rgb565());
    Image narrow = IndexRow({1, 2});
    narrow.GetPalette()[1] = MakeColor(3, 253, 12);
    narrow.GetPalette()[2] = MakeColor(0, 0, 0);
    Util().RunLengthEncode(narrow);
    ASSERT_TRUE(Util().RunLengthDecode(&narrow, nullptr, out, 2));
    EXPECT_EQ(out[0], 0xFF00FF10u);
    EXPECT_EQ(out[1], 0u);
}

TEST_F(ImageUtilTest, AlphaFramesGiveEachPixelItsAlpha)
{
    DirectDraw::Instance().SetScreenFormat(ScreenFormat::Xrgb8888());
    Image image = IndexRow({1, 1, 0});
    image.GetPalette()[1] = MakeColor(10, 20, 30);
    Image alpha = IndexRow({10, 250, 128});
    Util().RunLengthEncode(image);
    Util().RunLengthEncode(alpha);
    uint32_t out[3] = {};
    ASSERT_TRUE(Util().RunLengthDecode(&image, &alpha, out, 3));
    EXPECT_EQ(out[0], 0x0A0A141Eu);
    EXPECT_EQ(out[1], 0xFA0A141Eu);
    EXPECT_EQ(out[2], 0x80000000u);

    ASSERT_TRUE(Util().RunLengthDecodeTinted(&image, nullptr, out, 3, 0x00FF8000));
    EXPECT_EQ(out[0], 0xFF000A1Du) << "a tint 0x00BBGGRR: red x 0, green x 128/256, blue x 255/256";
}

TEST_F(ImageUtilTest, DecodingNeverWritesPastItsOutputOrReadsPastItsStream)
{
    Image image = IndexRow({1, 2, 3, 4, 5});
    Util().RunLengthEncode(image);
    uint32_t out[6] = {7, 7, 7, 7, 7, 0xDEAD};
    EXPECT_FALSE(Util().RunLengthDecode(&image, nullptr, out, 4));
    EXPECT_TRUE(Logged("ImageUtil::RunLengthDecode: frame of 5 x 1 does not fit the output"));
    EXPECT_EQ(out[0], 7u);

    std::vector<uint8_t> cut{0xFB, 1, 2};  // five literals promised, two present
    image.SetData(cut);
    image.MarkEncoded(3);
    EXPECT_FALSE(Util().RunLengthDecode(&image, nullptr, out, 5));
    EXPECT_TRUE(Logged("ImageUtil::RunLengthDecode: stream ends early in row 0"));
    EXPECT_EQ(out[5], 0xDEADu);

    image.SetData({0, 1});
    image.MarkEncoded(2);
    EXPECT_FALSE(Util().RunLengthDecode(&image, nullptr, out, 5)) << "a control byte of 0 would never advance";

    image.SetData({100, 3});
    image.MarkEncoded(2);
    EXPECT_TRUE(Util().RunLengthDecode(&image, nullptr, out, 5)) << "a run past the row's end is cut";
    EXPECT_EQ(out[5], 0xDEADu);

    EXPECT_FALSE(Util().RunLengthDecode(nullptr, nullptr, out, 5));
    EXPECT_TRUE(Logged("ImageUtil::RunLengthDecode: Image Ptr is null!\n"));
}

}  // namespace
