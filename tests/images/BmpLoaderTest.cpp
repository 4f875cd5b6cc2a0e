#include "ImageTestSupport.h"
#include "images/BmpLoader.h"
#include "images/BmpWriter.h"

namespace {

class BmpLoaderTest : public ImageTest {
protected:
    std::unique_ptr<Image> LoadRecipe(const BmpRecipe& recipe)
    {
        dir.Write("picture.bmp", BmpBytes(recipe));
        return BmpLoader::Instance().Load("picture.bmp");
    }
};

TEST_F(BmpLoaderTest, TrueColourAndPaletteRowsLoseTheirPaddingAndTurnTopDown)
{
    BmpRecipe recipe{.width = 3, .height = 2,
                     .rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}}};
    auto image = LoadRecipe(recipe);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetDepth(), 24);
    EXPECT_EQ(image->GetPalette(), nullptr);
    ASSERT_EQ(image->GetDataSize(), 18u);
    EXPECT_EQ(std::vector<uint8_t>(image->GetData(), image->GetData() + 18),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(image->GetPixel(2, 1), MakeColor(18, 17, 16));

    // Palette rows of width five skip three padding bytes.
    recipe.width = 5;
    recipe.bitCount = 8;
    recipe.palette.assign(256, 0);
    recipe.palette[4] = MakeColor(10, 20, 30);
    recipe.rows = {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}};
    image = LoadRecipe(recipe);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(image->GetData(), image->GetData() + 10),
              (std::vector<uint8_t>{0, 1, 2, 3, 4, 4, 3, 2, 1, 0}));
    EXPECT_EQ(image->GetPixel(4, 0), MakeColor(10, 20, 30));
}

TEST_F(BmpLoaderTest, ColoursUsedShortenThePaletteAndTheRestIsMagenta)
{
    BmpRecipe recipe{.width = 2, .height = 1, .bitCount = 8, .colorsUsed = 16, .rows = {{15, 3}}};
    for (uint32_t i = 0; i < 16; ++i) {
        recipe.palette.push_back(0xAB000000 | MakeColor(static_cast<int>(i), 0, 0));
    }
    auto image = LoadRecipe(recipe);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetPixel(0, 0), MakeColor(15, 0, 0)) << "the reserved byte is not part of the colour";
    EXPECT_EQ(image->GetPixel(1, 0), MakeColor(3, 0, 0));
    EXPECT_EQ(image->GetPalette()[16], MakeColor(255, 0, 255));
    EXPECT_EQ(image->GetPalette()[255], MakeColor(255, 0, 255));
}

TEST_F(BmpLoaderTest, OneBitRowsKeepTheirFirstWidthBits)
{
    BmpRecipe recipe{.width = 5, .height = 2, .bitCount = 1, .palette = {MakeColor(0, 0, 0), MakeColor(255, 255, 255)},
                     .rows = {{0b10100111}, {0b01011000}}};
    auto image = LoadRecipe(recipe);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetDepth(), 1);
    std::string pixels;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 5; ++x) {
            pixels += image->GetPixel(x, y) == MakeColor(0, 0, 0) ? '#' : '.';
        }
    }
    EXPECT_EQ(pixels, "#.#.." ".#.##");
}

struct Corruption {
    const char* name;
    void (*spoil)(BmpRecipe&);
    const char* logLine;
};

class BmpCorruptionTest : public BmpLoaderTest, public ::testing::WithParamInterface<Corruption> {};

TEST_P(BmpCorruptionTest, IsRefusedWithALogLine)
{
    BmpRecipe recipe{.width = 4, .height = 2, .bitCount = 8, .palette = std::vector<uint32_t>(256, 0),
                     .rows = {{1, 2, 3, 4}, {5, 6, 7, 8}}};
    GetParam().spoil(recipe);
    EXPECT_EQ(LoadRecipe(recipe), nullptr);
    EXPECT_TRUE(Logged(GetParam().logLine)) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BmpCorruptionTest,
    ::testing::Values(
        Corruption{"NegativeWidth", [](BmpRecipe& recipe) { recipe.width = -4; }, "invalid size -4 x 2 <picture.bmp>"},
        Corruption{"NegativeHeight", [](BmpRecipe& recipe) { recipe.height = -2; }, "invalid size 4 x -2 <picture.bmp>"},
        Corruption{"HugeWidth", [](BmpRecipe& recipe) { recipe.width = 0x40000000; }, "invalid size"},
        Corruption{"ColoursUsedAboveThePalette", [](BmpRecipe& recipe) { recipe.colorsUsed = 257; },
                   "257 colours used exceed the palette <picture.bmp>"},
        Corruption{"ColoursUsedAboveTwoForOneBit",
                   [](BmpRecipe& recipe) {
                       recipe.bitCount = 1;
                       recipe.colorsUsed = 3;
                       recipe.palette.resize(3);
                       recipe.rows = {{0}, {0}};
                   },
                   "3 colours used exceed the palette"},
        Corruption{"TruncatedRows", [](BmpRecipe& recipe) { recipe.rows.pop_back(); }, "pixel rows cut short <picture.bmp>"},
        Corruption{"TruncatedPalette", [](BmpRecipe& recipe) { recipe.palette.resize(10); recipe.rows.clear(); },
                   "pixel rows cut short"},
        Corruption{"Compressed", [](BmpRecipe& recipe) { recipe.compression = 1; },
                   "Bitmap has to be 8 Bit or 24 Bit uncompressed (picture.bmp)"},
        Corruption{"SixteenBits", [](BmpRecipe& recipe) { recipe.bitCount = 16; },
                   "Bitmap has to be 8 Bit or 24 Bit uncompressed (picture.bmp)"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(BmpLoaderTest, WrittenPicturesReadBackWithPaddedRows)
{
    Image image;
    image.Create(3, 2, 24, true);
    image.SetPixel(0, 0, MakeColor(1, 2, 3));
    image.SetPixel(2, 1, MakeColor(250, 5, 9));
    ASSERT_TRUE(BmpWriter::Instance().Write(image, "written.bmp"));
    EXPECT_EQ(dir.Read("written.bmp").size(), 54u + 2 * 12) << "rows of 9 bytes padded to 12";
    auto read = BmpLoader::Instance().Load("written.bmp");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(read->GetData(), read->GetData() + 18),
              std::vector<uint8_t>(image.GetData(), image.GetData() + 18));
    Image palette = IndexRow({1});
    EXPECT_FALSE(BmpWriter::Instance().Write(palette, "palette.bmp"));
    EXPECT_TRUE(Logged("BmpWriter::Write: only 24-bit pictures are written <palette.bmp>"));
}

TEST_F(BmpLoaderTest, MissingAndForeignFilesAreRefused)
{
    EXPECT_EQ(BmpLoader::Instance().Load("missing.bmp"), nullptr);
    EXPECT_TRUE(Logged("could not open missing.bmp!\n"));
    dir.Write("short.bmp", "BM\x10");
    EXPECT_EQ(BmpLoader::Instance().Load("short.bmp"), nullptr);
    dir.Write("other.bmp", std::string(100, 'x'));
    EXPECT_EQ(BmpLoader::Instance().Load("other.bmp"), nullptr);
    EXPECT_TRUE(Logged("not a bitmap or its header is cut short <other.bmp>"));
}

}  // namespace
