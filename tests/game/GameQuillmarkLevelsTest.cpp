#include <algorithm>

#include "GameQuillmarkFixture.h"
#include "app/MainProgram.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "params/Cast.h"
#include "platform/VirtualKeys.h"
#include "util/Factory.h"

namespace {

using LevelSwitching = GameQuillmarkFixture;

std::vector<std::string> Without(std::vector<std::string> calls, const std::string& what)
{
    calls.erase(std::remove_if(calls.begin(), calls.end(),
                               [&](const std::string& call) { return call.find(what) != std::string::npos; }),
                calls.end());
    return calls;
}

TEST_F(LevelSwitching, FirstInitLoadsOnceCreatesEveryLevelAndActivatesTheRequestedOne)
{
    game->Init(0);
    std::vector<std::string> expected = {"0 Init", "3 Init", "4 Init", "5 Init", "6 Init", "0 Activate"};
    EXPECT_EQ(TakeCalls(), expected);
    EXPECT_TRUE(game->IsReady());
    EXPECT_EQ(game->GetLevelNumber(), 0);

    game->Init(6);
    expected = {"6 Activate"};
    EXPECT_EQ(TakeCalls(), expected);
    std::string log = Log();
    EXPECT_EQ(log.find("Game Runonce\n"), log.rfind("Game Runonce\n"));
    EXPECT_TRUE(LogHas("Game RunonceDone\n"));
    EXPECT_TRUE(LogHas("\n\nGame Init, Active Level: 6\nGame Init Done\n"));
}

TEST_F(LevelSwitching, BothVideoLevelsEndOnTheHighscoreLevelWithTheirFilmMissingOrDamaged)
{
    // The second film is damaged: it is skipped with a warning, and sound comes back.
    dir->Write("data/Movies/video2.avi", std::string("RIFF\x10\0\0\0AVI LIST", 16));
    ASSERT_TRUE(SampleManager::Instance().Init());
    game->Init(0);
    for (int video : {GameQuillmark::kFirstVideoLevel, GameQuillmark::kSecondVideoLevel}) {
        game->Init(0);
        TakeCalls();
        game->Init(video);
        EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kHighscoreLevel);
        EXPECT_EQ(game->GetActiveLevel(), game->GetLevel(GameQuillmark::kHighscoreLevel));
        std::vector<std::string> expected = {"3 Activate"};
        EXPECT_EQ(TakeCalls(), expected);
    }
    EXPECT_TRUE(LogHas("VideoShow::Play: No video <data\\Movies\\video1.avi>"));
    EXPECT_TRUE(LogHas("VideoShow::Play: <data\\Movies\\video2.avi> can't be played: "));
    EXPECT_TRUE(SampleManager::Instance().IsInitialized());
    EXPECT_EQ(Log().find("Game Init, Active Level: 8"), std::string::npos);
    EXPECT_EQ(Log().find("Game Init, Active Level: 9"), std::string::npos);
}

TEST_F(LevelSwitching, AMissingLevelIsLoggedAndTheActiveLevelStays)
{
    game->Init(4);
    TakeCalls();
    game->Init(GameQuillmark::kMainLevel);
    EXPECT_EQ(game->GetLevelNumber(), 4);
    EXPECT_EQ(game->GetActiveLevel(), game->GetLevel(4));
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_TRUE(LogHas("***ERROR: GameQuillmark::Init: There is no level 1"));
}

TEST_F(LevelSwitching, AStartOnAMissingLevelFallsBackToTheMainMenu)
{
    game->Init(GameQuillmark::kUnusedLevel);
    EXPECT_TRUE(game->IsReady());
    EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kMainMenuLevel);
    EXPECT_TRUE(LogHas("***ERROR: GameQuillmark::Init: There is no level 2"));
}

TEST_F(LevelSwitching, ALevelNumberOutOfRangeEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    game->Init(0);
    EXPECT_EXIT(game->Init(7), ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(game->Init(-1), ::testing::ExitedWithCode(3), "");
}

TEST_F(LevelSwitching, FramesAndInputReachOnlyTheActiveLevelAndOnlyOnceReady)
{
    game->KeyDown('A');
    game->Update(0.1f);
    game->MouseMove(10, 20);
    EXPECT_TRUE(TakeCalls().empty());

    game->Init(3);
    TakeCalls();
    game->Update(0.1f);
    game->KeyDown('A');
    game->MouseMove(30, 40);
    std::vector<std::string> expected = {"3 Update", "3 KeyDown 65", "3 MouseMove 30 40"};
    EXPECT_EQ(TakeCalls(), expected);
}

TEST_F(LevelSwitching, ExitEndsEveryLevelAndForgetsTheCast)
{
    game->Init(0);
    TakeCalls();
    game->Exit();
    std::vector<std::string> expected = {"0 Exit", "3 Exit", "4 Exit", "5 Exit", "6 Exit"};
    EXPECT_EQ(TakeCalls(), expected);
    EXPECT_FALSE(game->IsReady());
    EXPECT_TRUE(Cast::Instance().Members().empty());
    EXPECT_TRUE(LogHas("Game Exit\n"));
    EXPECT_TRUE(LogHas("Game Exit Done\n"));
}

TEST_F(LevelSwitching, ResetActivatesTheActiveLevelAgain)
{
    game->Init(4);
    TakeCalls();
    EXPECT_EQ(game->DebugCommand("reset", 0, 0), 0);
    std::vector<std::string> expected = {"4 Activate"};
    EXPECT_EQ(TakeCalls(), expected);
    game->DebugCommand("print flags", 0, 0);
    EXPECT_TRUE(LogHas("--- Flags Disabled ! ---\n"));
}

using GlobalKeys = GameQuillmarkFixture;

TEST_F(GlobalKeys, EscapeWithinTheGuardTimeAfterASwitchDoesNothing)
{
    game->Init(0);
    Wait(0.5);
    TakeCalls();
    game->KeyUp(vk::kEscape);
    EXPECT_EQ(game->GetLevelNumber(), 0);
    std::vector<std::string> expected = {"0 KeyUp 27"};
    EXPECT_EQ(TakeCalls(), expected);

    Wait(0.4);
    game->KeyUp(vk::kEscape);
    EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kExitLevel);
    // The same key release right after the switch must not act on the exit screen too.
    game->KeyUp(vk::kEscape);
    EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kExitLevel);
}

TEST_F(GlobalKeys, EscapeLeadsBackToTheMainMenuFromCreditsHelpAndHighscores)
{
    for (int level : {GameQuillmark::kCreditsLevel, GameQuillmark::kHelpLevel, GameQuillmark::kHighscoreLevel}) {
        game->Init(level);
        Wait(0.9);
        game->KeyUp(vk::kEscape);
        EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kMainMenuLevel) << "from level " << level;
    }
}

TEST_F(GlobalKeys, TheExitScreenHandlesEscapeItself)
{
    game->Init(GameQuillmark::kExitLevel);
    Wait(0.9);
    TakeCalls();
    game->KeyUp(vk::kEscape);
    EXPECT_EQ(game->GetLevelNumber(), GameQuillmark::kExitLevel);
    std::vector<std::string> expected = {"5 KeyUp 27"};
    EXPECT_EQ(Without(TakeCalls(), "Update"), expected);
}

TEST_F(GlobalKeys, MSilencesMusicAndSpeechGroupsAndASecondMBringsThemBack)
{
    SoundEngine& engine = SoundEngine::Instance();
    game->Init(0);
    game->KeyUp(GameQuillmark::kMuteKey);
    EXPECT_TRUE(game->IsSoundOn()) << "M within the guard time";

    Wait(0.9);
    game->KeyUp(GameQuillmark::kMuteKey);
    EXPECT_FALSE(game->IsSoundOn());
    EXPECT_EQ(engine.GroupMute(0), 1.0f);
    EXPECT_EQ(engine.GroupMute(3), 1.0f);
    EXPECT_EQ(engine.GroupMute(1), 0.0f);
    EXPECT_EQ(engine.GroupMute(2), 0.0f);

    game->KeyUp(GameQuillmark::kMuteKey);
    EXPECT_TRUE(game->IsSoundOn());
    EXPECT_EQ(engine.GroupMute(0), 0.0f);
    EXPECT_EQ(engine.GroupMute(3), 0.0f);
}

TEST_F(LevelSwitching, MainProgramStartsTheGameByNameWithItsOwnLevels)
{
    MainProgram::Release();
    MainProgram::Instance().SetGame("GameQuillmark", 6);
    auto* running = dynamic_cast<GameQuillmark*>(MainProgram::Instance().Game());
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(running->GetLevelNumber(), 6);
    EXPECT_TRUE(MainProgram::Instance().IsGameReady());
    MainProgram::Instance().Shutdown();
    MainProgram::Release();
}

}  // namespace
