#include "GameQuillmarkFixture.h"
#include "app/KeyboardInput.h"
#include "frontend/HighscoreManager.h"
#include "frontend/QMHighscoreLevel.h"
#include "platform/VirtualKeys.h"
#include "text/TextDisplay.h"
#include "text/TextTestSupport.h"

namespace {

// The game with the real highscore level, the other levels recording.
class HighscoreKeys : public GameQuillmarkFixture {
protected:
    void SetUp() override
    {
        GameQuillmarkFixture::SetUp();
        StartGame();
    }

    void StartGame()
    {
        game = std::make_unique<GameQuillmark>([this] {
            GameQuillmark::LevelTable table;
            table[GameQuillmark::kMainMenuLevel] = std::make_unique<RecordingLevel>(0, calls);
            table[GameQuillmark::kHighscoreLevel] = std::make_unique<QMHighscoreLevel>();
            return table;
        });
    }

    // The program ends and starts again: nothing but the files survives.
    void Restart()
    {
        game->Exit();
        game.reset();
        HighscoreManager::Release();
        KeyboardInput::Release();
        StartGame();
        game->Init(GameQuillmark::kMainMenuLevel);
    }

    // Keys as the main loop passes them: to the keyboard state, then to the game.
    void Type(const std::string& letters)
    {
        auto font = std::make_unique<Font>();
        font->ScanGlyphs(Picture({"##.##.##"}), letters, "letters");
        TextDisplay::Instance().AddFont(std::move(font), QMHighscoreLevel::kFontName);
        Highscores().GetNameField().SetCharacterOfKey([](int key) { return key; });
        for (char letter : letters) {
            KeyboardInput::Instance().KeyDown(letter);
            game->KeyDown(letter);
            Step();
            KeyboardInput::Instance().KeyUp(letter);
            game->KeyUp(letter);
            Step();
        }
    }

    void Step()
    {
        KeyboardInput::Instance().Update(0.01f);
        game->Update(0.01f);
    }

    QMHighscoreLevel& Highscores() const
    {
        return *dynamic_cast<QMHighscoreLevel*>(game->GetLevel(GameQuillmark::kHighscoreLevel));
    }

    // The highscore level with a new row waiting for its name.
    void EnterAResult()
    {
        game->Init(GameQuillmark::kHighscoreLevel);
        HighscoreManager::Instance().SetResultScore(1000);
        Wait(0.9);
        ASSERT_TRUE(Highscores().IsEntryInProgress());
    }
};

TEST_F(HighscoreKeys, MTypesIntoTheNameInsteadOfMuting)
{
    EnterAResult();
    game->KeyUp(GameQuillmark::kMuteKey);
    EXPECT_TRUE(game->IsSoundOn());
}

TEST_F(HighscoreKeys, EscapeSavesTheTableAndReturnsToTheMenu)
{
    EnterAResult();
    EXPECT_FALSE(dir->Exists("data/highscores.dat"));
    game->KeyUp(vk::kEscape);
    EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kMainMenuLevel);
    EXPECT_TRUE(dir->Exists("data/highscores.dat"));
    EXPECT_EQ(HighscoreManager::Instance().GetTable(HighscoreManager::kGameTableId, 8).Score(0), 1000);
}

TEST_F(HighscoreKeys, ANameStillBeingTypedWhenTheProgramEndsIsThereAfterARestart)
{
    EnterAResult();
    Type("ODA");
    ASSERT_TRUE(Highscores().IsEntryInProgress());

    Restart();
    HighscoreTable& table = HighscoreManager::Instance().GetTable(HighscoreManager::kGameTableId, 8);
    EXPECT_EQ(table.Name(0), "ODA");
    EXPECT_EQ(table.Score(0), 1000);
    EXPECT_EQ(table.Name(1), "Hedda") << "the defaults move down one place";
}

}  // namespace
