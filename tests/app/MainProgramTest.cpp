#include <gtest/gtest.h>

#include "app/GameState.h"
#include "app/KeyboardInput.h"
#include "app/MainProgram.h"
#include "platform/VirtualKeys.h"
#include "settings/SettingsManager.h"
#include "support/RecordingGame.h"
#include "support/TempDir.h"

namespace {

class MainProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainProgram::Release();
        KeyboardInput::Release();
        RecordingGame::Clear();
    }
    void TearDown() override
    {
        MainProgram::Release();
        RecordingGame::Clear();
    }
    MainProgram& Program() { return MainProgram::Instance(); }
};

TEST_F(MainProgramTest, NewGameIsInitialisedAndToldWhereTheMouseIs)
{
    Program().SetGame("RecordingGame", 3);
    std::vector<std::string> expected = {"Construct", "Init 3", "MouseMove 512 384"};
    EXPECT_EQ(RecordingGame::Calls(), expected);
    EXPECT_EQ(Program().CurrentGame(), "RecordingGame");
    EXPECT_TRUE(Program().IsGameReady());
}

TEST_F(MainProgramTest, LevelMinusOneComesFromTheConfiguration)
{
    TempDir dir;
    dir.Write("data/config.txt", "activeLevel 6\n");
    SettingsManager::Release();
    ASSERT_TRUE(SettingsManager::Instance().LoadSettings("data\\config.txt"));
    Program().SetGame("RecordingGame", -1);
    EXPECT_EQ(Program().LevelNumber(), 6);
    EXPECT_EQ(RecordingGame::Count("Init 6"), 1);
    SettingsManager::Release();
}

TEST_F(MainProgramTest, FramesGoThroughKeyboardUpdateToTheGame)
{
    EXPECT_FALSE(Program().Render());
    Program().SetGame("RecordingGame", 0);
    Program().KeyDown('A');
    Program().KeyUp('A');
    Program().KeyDown(vk::kShift);
    EXPECT_TRUE(Program().Update(0.01f));
    EXPECT_TRUE(Program().Render());
    EXPECT_EQ(RecordingGame::Calls().back(), "Render");
    // The keyboard was advanced before the game's update saw the frame.
    EXPECT_TRUE(KeyboardInput::Instance().IsDown(vk::kShift));
    EXPECT_EQ(KeyboardInput::Instance().LastReleasedKey(), 0);
}

TEST_F(MainProgramTest, HeldEscapeReachesTheGameOncePerPressOtherKeysWithTheirRepeats)
{
    // An Escape released without a game still rearms.
    Program().KeyDown(vk::kEscape);
    Program().KeyUp(vk::kEscape);
    Program().SetGame("RecordingGame", 0);
    for (int repeat = 0; repeat < 5; ++repeat) {
        Program().KeyDown(vk::kEscape);
    }
    Program().KeyUp(vk::kEscape);
    Program().KeyDown(vk::kEscape);
    EXPECT_EQ(RecordingGame::Count("KeyDown 27"), 2);
    EXPECT_EQ(RecordingGame::Count("KeyUp 27"), 1);
    EXPECT_TRUE(KeyboardInput::Instance().IsDown(vk::kEscape));
    // Other keys reach the game with their repeats.
    Program().SetGame("RecordingGame", 0);
    Program().KeyDown(vk::kLeft);
    Program().KeyDown(vk::kLeft);
    EXPECT_EQ(RecordingGame::Count("KeyDown 37"), 2);
}

TEST_F(MainProgramTest, ReplacingAndShuttingDownEndTheGameBeforeDeletingIt)
{
    Program().SetGame("RecordingGame", 0);
    Program().SetGame("RecordingGame", 1);
    Program().Shutdown();
    std::vector<std::string> expected = {"Construct", "Init 0", "MouseMove 512 384", "Exit", "Destroy",
                                         "Construct", "Init 1", "MouseMove 512 384", "Exit", "Destroy"};
    EXPECT_EQ(RecordingGame::Calls(), expected);
    EXPECT_EQ(Program().Game(), nullptr);
    EXPECT_FALSE(Program().IsGameReady());
}

TEST_F(MainProgramTest, MouseAndDebugCommandsAreForwarded)
{
    EXPECT_EQ(Program().DebugCommand("reset", 1, 2), 0);
    Program().MouseMove(10, 20);
    Program().SetGame("RecordingGame", 0);
    EXPECT_EQ(RecordingGame::Count("MouseMove 10 20"), 1);
    EXPECT_EQ(Program().DebugCommand("reset", 1, 2), 3);
}

using MainProgramDeathTest = MainProgramTest;

TEST_F(MainProgramDeathTest, UnknownGameEndsTheProcessAfterBothMessages)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(MainProgram::Instance().SetGame("NoSuchGame", 0), ::testing::ExitedWithCode(3),
                "Factory: could not create\n\"NoSuchGame\"(.|\n)*Unknown Project <NoSuchGame>");
}

}  // namespace
