#include "GameQuillmarkFixture.h"
#include "frontend/HighscoreManager.h"
#include "frontend/QMHighscoreLevel.h"
#include "platform/VirtualKeys.h"

namespace {

// The game with the real highscore level, the other levels recording.
class HighscoreKeys : public GameQuillmarkFixture {
protected:
    void SetUp() override
    {
        GameQuillmarkFixture::SetUp();
        game = std::make_unique<GameQuillmark>([this] {
            GameQuillmark::LevelTable table;
            table[GameQuillmark::kMainMenuLevel] = std::make_unique<RecordingLevel>(0, calls);
            table[GameQuillmark::kHighscoreLevel] = std::make_unique<QMHighscoreLevel>();
            return table;
        });
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

TEST_F(HighscoreKeys, TheGameStartsWithTheDefaultTable)
{
    game->Init(GameQuillmark::kMainMenuLevel);
    HighscoreTable& table = HighscoreManager::Instance().GetTable(HighscoreManager::kGameTableId, 8);
    EXPECT_EQ(table.Size(), 8);
    EXPECT_EQ(table.Name(0), "Hedda");
    EXPECT_EQ(table.Score(0), 400);
    EXPECT_EQ(table.Name(7), "Arlo");
    EXPECT_EQ(table.Score(7), 50);
}

}  // namespace
