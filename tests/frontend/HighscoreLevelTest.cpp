#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/KeyboardInput.h"
#include "frontend/HighscoreTestSupport.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/NameEntryField.h"
#include "frontend/QMHighscoreLevel.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingGame.h"
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

// The game's highscore table, the level with its buttons and a font in which the name field
// measures its text.
class HighscoreLevelTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        KeyboardInput::Release();
        dir.Write("data/.keep", "");
        TextDisplay::Instance().AddFont(WideFont(), kFont);
        HighscoreManager::Instance().SetUpGameTable();
        level.GetNameField().SetCharacterOfKey(TestCharacterOfKey);
        level.Init(&game);
        level.Activate();
    }

    void TearDown() override
    {
        level.Exit();
        KeyboardInput::Release();
        MenuTest::TearDown();
    }

    // One frame in which the key went down and one in which it was let go, as the game runs
    // them; true when the second frame ended the typing.
    bool Press(int key)
    {
        KeyboardInput::Instance().KeyDown(key);
        Frame();
        KeyboardInput::Instance().KeyUp(key);
        return Frame();
    }

    void Type(const std::string& keys)
    {
        for (char key : keys) {
            Press(key == ' ' ? vk::kSpace : vk::Letter(key));
        }
    }

    // The keyboard state advances before the update, as in the game.
    bool Frame(float dtSeconds = kFrameSeconds)
    {
        KeyboardInput::Instance().Update(dtSeconds);
        return Updated(dtSeconds);
    }

    virtual bool Updated(float dtSeconds)
    {
        level.Update(dtSeconds);
        return false;
    }

    void FinishGame(int32_t score)
    {
        HighscoreManager::Instance().SetResultScore(score);
        Frame();
    }

    static HighscoreTable& Table() { return HighscoreManager::Instance().GetTable(1, 8); }

    // The glyph draws of the font at one row, as (x, source x) pairs in queue order.
    static std::vector<std::pair<int, int>> GlyphsAt(const Sprite* font, int y)
    {
        std::vector<std::pair<int, int>> glyphs;
        for (const auto& entry : DrawsOf(font)) {
            if (entry.info.destY == y) {
                glyphs.emplace_back(entry.info.destX, entry.info.srcX);
            }
        }
        return glyphs;
    }

    static constexpr float kFrameSeconds = 0.01f;
    RecordingGame game;
    QMHighscoreLevel level;
};

TEST_F(HighscoreLevelTest, QualifyingResultOpensAnEmptyRowOnceALowerOneNothingAndActivateEndsTheEntry)
{
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_TRUE(Logged("Highscore Init\n"));
    FinishGame(49);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_EQ(Table().Name(7), "Arlo");
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), HighscoreManager::kNoResult);

    FinishGame(260);
    ASSERT_TRUE(level.IsEntryInProgress());
    EXPECT_EQ(level.GetEntryIndex(), 2);
    EXPECT_EQ(Rows(Table())[2], "260 ");
    EXPECT_EQ(Table().Name(7), "Brina");
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), HighscoreManager::kNoResult);
    Frame();
    EXPECT_EQ(Table().Name(7), "Brina") << "the result enters once";
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
    EXPECT_NE(SavedPlain(dir).find("\n90 name:aa\n80 name:Brina\n"), std::string::npos);

    // The game commits before it leaves for the main menu on Escape.
    FinishGame(500);
    Type("WA");
    ASSERT_TRUE(level.IsEntryInProgress());
    level.CommitAndSave();
    EXPECT_EQ(Table().Name(0), "Wa");
    EXPECT_EQ(SavedPlain(dir).substr(0, 16), "108\n500 name:Wa\n");

    level.Activate();
    FinishGame(1000);
    Type("W");
    level.MouseButtonDown(1, 1, false);
    EXPECT_EQ(SavedPlain(dir).substr(0, 28), "108\n1000 name:W\n500 name:Wa\n");
}

TEST_F(HighscoreLevelTest, ArrowsWorkTheButtonsOnlyWhileNoNameIsTypedAndLeavingEndsTheTyping)
{
    const platform::GamePads& pads = platform::EventPump::Instance().Pads();
    FinishGame(90);
    ASSERT_TRUE(level.IsEntryInProgress());
    EXPECT_TRUE(pads.IsTextEntry()) << "a pad's face button gives Enter while typing";
    level.KeyDown(vk::kRight);
    level.KeyDown(vk::kReturn);
    level.KeyUp(vk::kReturn);
    EXPECT_EQ(level.GetHighlighted(), QMMenuLevel::kNoHighlight);
    EXPECT_TRUE(RecordingGame::Calls().empty());
    level.KeyUp(vk::kEscape);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_FALSE(pads.IsTextEntry());
    level.KeyDown(vk::kLeft);
    level.KeyDown(vk::kSpace);
    level.KeyUp(vk::kSpace);
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 0"});

    // A click on a button leaves the screen and so ends the typing too.
    level.Activate();
    FinishGame(95);
    ASSERT_TRUE(pads.IsTextEntry());
    ClickAt(level, 30, 700);
    EXPECT_FALSE(level.IsEntryInProgress());
    EXPECT_FALSE(pads.IsTextEntry());
}

TEST_F(HighscoreLevelTest, RowsShowNamesAtTheLeftAndScoresEndingAtTheRightEdge)
{
    const Sprite* font = LoadBigFont("0123456789", 1);
    Table().SetName(1, "7");
    RenderEngine::Instance().Clear();
    level.Render();

    // Row 1: the name "7" at 150, then "300", 6 pixels wide, ending at 874; glyph n starts at
    // source x 3n.
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

    bool Updated(float dtSeconds) override { return field.Update(dtSeconds); }

    NameEntryField field{kFont, QMHighscoreLevel::kNameWidthPixels};
};

TEST_F(NameEntryFieldTest, TakesBlanksAndDrawableCharactersWithinItsLimitsUntilEnterOrEscapeAndBlinks)
{
    // The cursor blinks every quarter second.
    Type("A");
    const std::pair<float, const char*> blinks[] = {{0.0f, "a"}, {0.3f, "a|"}, {0.3f, "a"}, {0.2f, "a|"}};
    for (const auto& [seconds, shown] : blinks) {
        Frame(seconds);
        EXPECT_EQ(field.DisplayText(), shown) << seconds;
    }
    field.Reset();
    EXPECT_EQ(field.DisplayText(), "");

    Type("A X");
    Press(vk::kShift);
    EXPECT_EQ(field.Text(), "a ");
    for (int i = 0; i < 3; ++i) {
        Press(vk::kBack);
    }
    EXPECT_EQ(field.Text(), "");
    Type("WWWWWWWWW");  // the ninth would make 540 pixels
    EXPECT_EQ(field.Text(), "WWWWWWWW");
    Type("AAAAAA");  // five make exactly 500
    EXPECT_EQ(field.Text(), "WWWWWWWWaaaaa");
    EXPECT_EQ(TextDisplay::Instance().GetTextWidth(kFont, field.Text()), 500);
    // Enter and Escape end the typing; a released key acts on one frame only.
    field.Reset();
    EXPECT_FALSE(Press(vk::Letter('A')));
    EXPECT_TRUE(Press(vk::kReturn));
    EXPECT_TRUE(Press(vk::kEscape));
    EXPECT_FALSE(Frame());
    EXPECT_EQ(field.Text(), "a");

    // The text stops at the name limit before the width does.
    Type(std::string(120, 'A'));
    EXPECT_EQ(field.Text().size(), NameEntryField::kMaxTextLength);
}

}  // namespace
