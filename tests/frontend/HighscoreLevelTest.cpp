#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/KeyboardInput.h"
#include "audio/SoundEngine.h"
#include "files/TextScrambler.h"
#include "frontend/HighscoreManager.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/NameEntryField.h"
#include "frontend/QMHighscoreLevel.h"
#include "platform/EventPump.h"
#include "platform/VirtualKeys.h"
#include "spritemanager/SpriteTestSupport.h"
#include "support/RecordingGame.h"
#include "text/FontLoaderUtil.h"
#include "text/TextTestSupport.h"

namespace {

constexpr const char* kFont = QMHighscoreLevel::kFontName;

// 'W' is 60 pixels wide (59 + spacing 1), 'a' 4 (3 + 1); 'x' has no glyph.
std::unique_ptr<Font> WideFont()
{
    auto font = std::make_unique<Font>();
    font->ScanGlyphs(Picture({std::string(60, '#') + "." + "####"}), "Wa", "wide");
    font->SetSpacing(1);
    font->SetSpaceWidth(5);
    return font;
}

// The keyboard as the player's fingers on a few keys; other keys type nothing.
int TestCharacterOfKey(int key)
{
    static const std::map<int, int> kTyped = {
        {vk::Letter('W'), 'W'}, {vk::Letter('A'), 'a'}, {vk::Letter('X'), 'x'}, {vk::kSpace, ' '}};
    auto found = kTyped.find(key);
    return found == kTyped.end() ? 0 : found->second;
}

class HighscoreLevelTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        ReleaseHighscoreServices();
        dir.Write("data/.keep", "");
        TextDisplay::Instance().AddFont(WideFont(), kFont);
        HighscoreManager::Instance().SetUpGameTable();
        level.GetNameField().SetCharacterOfKey(TestCharacterOfKey);
        level.Init(nullptr);
        level.Activate();
    }

    void TearDown() override
    {
        level.Exit();
        ReleaseHighscoreServices();
        GraphicsTest::TearDown();
    }

    static void ReleaseHighscoreServices()
    {
        HighscoreManager::Release();
        KeyboardInput::Release();
        SoundEngine::Release();
        platform::EventPump::Release();
    }

    // One frame in which the key was pressed and one in which it was let go, as the game runs
    // them: the keyboard state advances before the level's update.
    void Press(int key)
    {
        KeyboardInput::Instance().KeyDown(key);
        Frame();
        KeyboardInput::Instance().KeyUp(key);
        Frame();
    }

    void Type(const std::string& keys)
    {
        for (char key : keys) {
            Press(vk::Letter(key));
        }
    }

    void Frame()
    {
        KeyboardInput::Instance().Update(kFrameSeconds);
        level.Update(kFrameSeconds);
    }

    void FinishGame(int32_t score)
    {
        HighscoreManager::Instance().SetResultScore(score);
        Frame();
    }

    static HighscoreTable& Table() { return HighscoreManager::Instance().GetTable(1, 8); }

    std::string SavedPlain() const
    {
        std::string bytes = dir.Read("data/highscores.dat");
        TextScrambler::Unscramble(bytes.data(), bytes.size());
        return bytes;
    }

    static constexpr float kFrameSeconds = 0.01f;
    QMHighscoreLevel level;
};

TEST_F(HighscoreLevelTest, QualifyingResultOpensAnEmptyRowOnce)
{
    EXPECT_EQ(Table().Size(), 8);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_TRUE(Logged("Highscore Init\n"));
    FinishGame(260);
    ASSERT_TRUE(level.IsEntryInProgress());
    EXPECT_EQ(level.GetEntryIndex(), 2);
    EXPECT_EQ(Table().Name(2), "");
    EXPECT_EQ(Table().Score(2), 260);
    EXPECT_EQ(Table().Name(7), "Brina");
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), HighscoreManager::kNoResult);
}

TEST_F(HighscoreLevelTest, ResultBelowEveryEntryIsNotOfferedAndActivatingEndsAnUnfinishedEntry)
{
    FinishGame(49);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_EQ(Table().Name(7), "Arlo");
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), HighscoreManager::kNoResult);
    Frame();
    EXPECT_FALSE(level.IsEntryInProgress());
    // Activating the level ends an unfinished entry.
    FinishGame(1000);
    level.Activate();
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_TRUE(Logged("MainMenu Reset Done\n"));
}

TEST_F(HighscoreLevelTest, EnterEscapeOrAMousePressSavesWhatWasTyped)
{
    FinishGame(90);
    ASSERT_EQ(level.GetEntryIndex(), 6);
    Type("AA");
    EXPECT_FALSE(dir.Exists("data/highscores.dat"));
    Press(vk::kReturn);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_EQ(Table().Name(6), "aa");
    EXPECT_NE(SavedPlain().find("\n90 name:aa\n80 name:Brina\n"), std::string::npos);

    // The game commits before it leaves for the main menu on Escape.
    FinishGame(500);
    Type("WA");
    ASSERT_TRUE(level.IsEntryInProgress());
    level.CommitAndSave();
    EXPECT_EQ(Table().Name(0), "Wa");
    EXPECT_EQ(SavedPlain().substr(0, 16), "108\n500 name:Wa\n");

    level.Activate();
    FinishGame(1000);
    Type("W");
    level.MouseButtonDown(1, 1, false);
    EXPECT_EQ(SavedPlain().substr(0, 28), "108\n1000 name:W\n500 name:Wa\n");
}

TEST_F(HighscoreLevelTest, ArrowsWorkTheButtonsOnlyWhileNoNameIsTypedAndLeavingEndsTheTyping)
{
    for (const char* label : {"StartGameButton", "MainMenuButton"}) {
        Sprites().StoreSprite(std::make_unique<MenuTestSprite>(100, 40, 3), label);
    }
    RecordingGame game;
    RecordingGame::Clear();
    QMHighscoreLevel keyed;
    keyed.Init(&game);
    keyed.Activate();
    const platform::GamePads& pads = platform::EventPump::Instance().Pads();
    auto finish = [&keyed](int32_t score) {
        HighscoreManager::Instance().SetResultScore(score);
        KeyboardInput::Instance().Update(kFrameSeconds);
        keyed.Update(kFrameSeconds);
    };

    finish(90);
    ASSERT_TRUE(keyed.IsEntryInProgress());
    EXPECT_TRUE(pads.IsTextEntry()) << "a pad's face button gives Enter while typing";
    keyed.KeyDown(vk::kRight);
    keyed.KeyDown(vk::kReturn);
    keyed.KeyUp(vk::kReturn);
    EXPECT_EQ(keyed.GetHighlighted(), QMMenuLevel::kNoHighlight);
    EXPECT_TRUE(RecordingGame::Calls().empty());
    keyed.KeyUp(vk::kEscape);
    EXPECT_FALSE(keyed.IsEntryInProgress());
    EXPECT_FALSE(pads.IsTextEntry());
    keyed.KeyDown(vk::kLeft);
    keyed.KeyDown(vk::kSpace);
    keyed.KeyUp(vk::kSpace);
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 0"});

    // A click on a button leaves the screen and so ends the typing too.
    keyed.Activate();
    finish(95);
    ASSERT_TRUE(pads.IsTextEntry());
    keyed.MouseMove(30, 700);
    keyed.MouseButtonDown(30, 700, false);
    keyed.LeftButtonUp(30, 700);
    EXPECT_FALSE(keyed.IsEntryInProgress());
    EXPECT_FALSE(pads.IsTextEntry());
    keyed.Exit();
}

// Ten digit glyphs of two columns each, 2 pixels wide with the spacing of 1.
std::string DigitFontPicture()
{
    std::vector<Color> pixels;
    for (int digit = 0; digit < 10; ++digit) {
        pixels.insert(pixels.end(), {0xFFFFFF, 0xFFFFFF, 0xFF00FF});
    }
    return Bmp24(30, 1, pixels);
}

// The glyph draws of the font at one row, as (x, source x) pairs in queue order.
std::vector<std::pair<int, int>> GlyphsAt(const Sprite* font, int y)
{
    std::vector<std::pair<int, int>> glyphs;
    for (const auto& entry : RenderEngine::Instance().GetDepthQueue()) {
        if (entry.sprite == font && entry.info.destY == y) {
            glyphs.emplace_back(entry.info.destX, entry.info.srcX);
        }
    }
    return glyphs;
}

TEST_F(HighscoreLevelTest, RowsShowNamesAtTheLeftAndScoresEndingAtTheRightEdge)
{
    dir.Write("data/fonts/IngameFont_big.bmp", DigitFontPicture());
    ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont(kFont, 16, 1, 80, "0123456789"));
    const Sprite* font = Sprites().GetSprite("Font_IngameFont_big");
    Table().SetName(1, "7");
    RenderEngine::Instance().Clear();
    level.Render();

    // Row 0: "400" is 6 pixels wide and ends at 874; glyph n starts at source x 3n.
    EXPECT_EQ(GlyphsAt(font, 95), (std::vector<std::pair<int, int>>{{868, 12}, {870, 0}, {872, 0}}));
    // Row 1: the name "7" at 150, then "300".
    EXPECT_EQ(GlyphsAt(font, 160), (std::vector<std::pair<int, int>>{{150, 21}, {868, 9}, {870, 0}, {872, 0}}));
    // Row 7, the last of the eight: "50".
    EXPECT_EQ(GlyphsAt(font, 550), (std::vector<std::pair<int, int>>{{870, 15}, {872, 0}}));
    EXPECT_TRUE(GlyphsAt(font, 615).empty());
}

class NameEntryFieldTest : public HighscoreLevelTest {
protected:
    void SetUp() override
    {
        HighscoreLevelTest::SetUp();
        field.SetCharacterOfKey(TestCharacterOfKey);
    }

    bool Release(int key)
    {
        KeyboardInput::Instance().KeyDown(key);
        KeyboardInput::Instance().Update(0.0f);
        KeyboardInput::Instance().KeyUp(key);
        KeyboardInput::Instance().Update(0.0f);
        return field.Update(0.0f);
    }

    // A frame in which no key was let go.
    bool Idle(float dtSeconds)
    {
        KeyboardInput::Instance().Update(dtSeconds);
        return field.Update(dtSeconds);
    }

    void TypeKeys(const std::string& keys)
    {
        for (char key : keys) {
            Release(key == ' ' ? vk::kSpace : vk::Letter(key));
        }
    }
    NameEntryField field{kFont, QMHighscoreLevel::kNameWidthPixels};
};

TEST_F(NameEntryFieldTest, TakesBlanksAndDrawableCharactersWithinItsLimitsUntilEnterOrEscapeAndBlinks)
{
    // The cursor blinks every quarter second.
    TypeKeys("A");
    const std::pair<float, const char*> blinks[] = {{0.0f, "a"}, {0.3f, "a|"}, {0.3f, "a"}, {0.2f, "a|"}};
    for (const auto& [seconds, shown] : blinks) {
        Idle(seconds);
        EXPECT_EQ(field.DisplayText(), shown) << seconds;
    }
    field.Reset();
    EXPECT_EQ(field.DisplayText(), "");

    TypeKeys("A X");
    Release(vk::kShift);
    EXPECT_EQ(field.Text(), "a ");
    for (int i = 0; i < 3; ++i) {
        Release(vk::kBack);
    }
    EXPECT_EQ(field.Text(), "");
    TypeKeys("WWWWWWWW");  // 480 pixels
    TypeKeys("W");         // 540 would be too wide
    EXPECT_EQ(field.Text(), "WWWWWWWW");
    TypeKeys("AAAAA");  // exactly 500
    TypeKeys("A");
    EXPECT_EQ(field.Text(), "WWWWWWWWaaaaa");
    EXPECT_EQ(TextDisplay::Instance().GetTextWidth(kFont, field.Text()), 500);
    // Enter and Escape end the typing.
    field.Reset();
    EXPECT_FALSE(Release(vk::Letter('A')));
    EXPECT_TRUE(Release(vk::kReturn));
    EXPECT_TRUE(Release(vk::kEscape));
    EXPECT_FALSE(Idle(0.0f));
    EXPECT_EQ(field.Text(), "a");

    // The text stops at the name limit before the width does.
    TypeKeys(std::string(120, 'A'));
    EXPECT_EQ(field.Text().size(), NameEntryField::kMaxTextLength);
}

}  // namespace
