#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "core/ForgeOutput.h"
#include "fonts/FontCharacterSets.h"
#include "fonts/ForgeFonts.h"
#include "images/BmpLoader.h"
#include "spritemanager/SpriteTestSupport.h"
#include "sprites/AlphaSprite.h"
#include "text/Font.h"
#include "text/FontLoaderUtil.h"

namespace {

TEST(FontSetsTest, CellsAndCharactersOfTheGameSetsAndTheirNotation)
{
    const std::string& text = font_sets::Text();
    ASSERT_EQ(text.size(), 212u);
    EXPECT_EQ(std::set<char>(text.begin(), text.end()).size(), 126u);
    // "+" stands before "*", and the last new character is the ligature at cell 190.
    EXPECT_EQ(text[9], '+');
    EXPECT_EQ(text[10], '*');
    EXPECT_EQ(static_cast<unsigned char>(text[190]), 0x9C);
    for (size_t cell = 191; cell < text.size(); ++cell) {
        EXPECT_TRUE(font_sets::IsRepeat(text, cell)) << cell;
    }
    EXPECT_EQ(font_sets::Digits(), std::string("0123456789:\"'.-"));
    // The notation runs, repeats and rejects.
    EXPECT_EQ(font_sets::Decode("41-43 7D x3 2E"), "ABC}}}.");
    EXPECT_EQ(font_sets::Decode("43-41"), "");
    EXPECT_EQ(font_sets::Decode("x2"), "");
    EXPECT_EQ(font_sets::Decode("4G"), "");
}

// The forged fonts, loaded the way the game loads them.
class ForgedFontTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        ForgeOutput output(dir.Path());
        ASSERT_TRUE(ForgeFonts(output));
    }

    static bool HasInk(const FontStrip& strip, size_t cell)
    {
        for (int y = 0; y < strip.picture.Height(); ++y) {
            for (int x = strip.cells[cell].first; x < strip.cells[cell].second; ++x) {
                if (strip.picture.At(x, y).a == 255) {
                    return true;
                }
            }
        }
        return false;
    }

    // A set of distinct codes as long as the font's own, so every cell, repeats included,
    // gets a glyph of its own and can be found.
    static std::string DistinctCodes(size_t count)
    {
        std::string codes;
        for (size_t i = 0; i < count; ++i) {
            codes += static_cast<char>(0x21 + i);
        }
        return codes;
    }
};

TEST_F(ForgedFontTest, GlyphScanFindsEveryCellWhereItWasPainted)
{
    for (const GameFont& game : GameFonts()) {
        SCOPED_TRACE(game.name);
        const FontStrip strip = PaintFontStrip(game.style, *game.characterSet);
        ASSERT_EQ(strip.cells.size(), game.characterSet->size());
        const std::string codes = DistinctCodes(strip.cells.size());
        Font font;
        ASSERT_TRUE(font.Create(game.name, codes));
        for (size_t cell = 0; cell < codes.size(); ++cell) {
            if (!font_sets::IsRepeat(*game.characterSet, cell)) {
                EXPECT_TRUE(HasInk(strip, cell)) << "cell " << cell << " shows nothing";
            }
            const Glyph* glyph = font.FindGlyph(static_cast<unsigned char>(codes[cell]));
            ASSERT_NE(glyph, nullptr) << "cell " << cell;
            EXPECT_EQ(glyph->left, strip.cells[cell].first) << "cell " << cell;
            EXPECT_EQ(glyph->right, strip.cells[cell].second - 1) << "cell " << cell;
        }
        EXPECT_FALSE(Logged("Too many chars")) << Log();
    }
}

TEST_F(ForgedFontTest, GameFontsLoadAsAlphaSpritesWithTheirOwnSets)
{
    for (const GameFont& game : GameFonts()) {
        SCOPED_TRACE(game.name);
        ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont(game.name, 10, game.style.spacing, 60, *game.characterSet));
        EXPECT_NE(dynamic_cast<AlphaSprite*>(Sprites().GetSprite("Font_" + game.name)), nullptr);
    }
    EXPECT_FALSE(Logged("Too many chars"));
    EXPECT_FALSE(Logged("Failed"));
}

TEST_F(ForgedFontTest, AdvancesFollowTheTypefaceAndLinesFitTheirSpacing)
{
    for (const GameFont& game : GameFonts()) {
        Font font;
        ASSERT_TRUE(font.Create(game.name, *game.characterSet));
        font.SetSpacing(game.style.spacing);
        // Tabular digits: the clock does not jitter while it counts.
        for (char digit = '1'; digit <= '9'; ++digit) {
            EXPECT_EQ(font.GetCharWidth(digit), font.GetCharWidth('0')) << game.name << " " << digit;
        }
        EXPECT_GT(font.GetCharWidth('0'), game.style.pixelSize / 3) << game.name;
    }
    // Credit lines stand 50 pixels apart.
    Font big;
    ASSERT_TRUE(big.Create("IngameFont_big", font_sets::Text()));
    Sprite* picture = Sprites().GetSprite("Font_IngameFont_big");
    ASSERT_NE(picture, nullptr);
    EXPECT_LE(picture->GetFullHeight(), 50);
    EXPECT_GT(big.GetCharWidth('m'), big.GetCharWidth('i'));
}

// Every glyph drawn by the engine onto a black frame: the pixels that only hold a glyph together
// or pad it stay invisible, and the solid ones show.
TEST_F(ForgedFontTest, OnlyTheInkShowsOnScreen)
{
    for (const char* name : {"IngameFont_small", "IngameFont_big"}) {
        SCOPED_TRACE(name);
        const GameFont& game = *std::find_if(GameFonts().begin(), GameFonts().end(),
                                             [name](const GameFont& font) { return font.name == name; });
        const FontStrip strip = PaintFontStrip(game.style, *game.characterSet);
        Font font;
        ASSERT_TRUE(font.Create(game.name, *game.characterSet));
        RenderEngine::Instance().Clear();
        std::vector<std::pair<int, int>> places(game.characterSet->size());
        int x = 0;
        int y = 0;
        for (size_t cell = 0; cell < places.size(); ++cell) {
            const int width = strip.cells[cell].second - strip.cells[cell].first;
            if (x + width > 1024) {
                x = 0;
                y += strip.picture.Height() + 2;
            }
            places[cell] = {x, y};
            if (!font_sets::IsRepeat(*game.characterSet, cell)) {
                font.DrawText(x, y, std::string(1, (*game.characterSet)[cell]));
            }
            x += width + 2;
        }
        ASSERT_LE(y + strip.picture.Height(), 768);
        RenderEngine::Instance().Flush();
        const std::string file = (dir.Path() / "frame.bmp").string();
        ASSERT_TRUE(DirectDraw::Instance().WriteSnapshot(file.c_str()));
        std::unique_ptr<Image> frame = BmpLoader::Instance().Load(file.c_str());
        ASSERT_NE(frame, nullptr);
        auto lit = [&frame](int px, int py) {
            const uint8_t* pixel = frame->Row(py) + px * 3;
            return pixel[0] + pixel[1] + pixel[2] > 0;
        };
        int hiddenShown = 0;
        int inkMissing = 0;
        for (size_t cell = 0; cell < places.size(); ++cell) {
            if (font_sets::IsRepeat(*game.characterSet, cell)) {
                continue;
            }
            for (int sy = 0; sy < strip.picture.Height(); ++sy) {
                for (int sx = strip.cells[cell].first; sx < strip.cells[cell].second; ++sx) {
                    const int px = places[cell].first + sx - strip.cells[cell].first;
                    const int py = places[cell].second + sy;
                    const uint8_t alpha = strip.picture.At(sx, sy).a;
                    hiddenShown += alpha == 0 && lit(px, py) ? 1 : 0;
                    inkMissing += alpha == 255 && !lit(px, py) ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(hiddenShown, 0);
        EXPECT_EQ(inkMissing, 0);
    }
}

}  // namespace
