#include <gtest/gtest.h>

#include "app/GameState.h"
#include "app/KeyboardInput.h"
#include "app/MainProgram.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingGame.h"

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

TEST_F(MainProgramTest, ANewGameIsToldWhereTheMouseIsAndEachGameEndsBeforeItIsDeleted)
{
    Program().MouseMove(10, 20);
    Program().SetGame("RecordingGame", 0);
    EXPECT_EQ(Program().CurrentGame(), "RecordingGame");
    EXPECT_TRUE(Program().IsGameReady());
    Program().SetGame("RecordingGame", 1);
    Program().Shutdown();
    std::vector<std::string> expected = {"Construct", "Init 0", "MouseMove 10 20", "Exit", "Destroy",
                                         "Construct", "Init 1", "MouseMove 10 20", "Exit", "Destroy"};
    EXPECT_EQ(RecordingGame::Calls(), expected);
    EXPECT_EQ(Program().Game(), nullptr);
    EXPECT_FALSE(Program().IsGameReady());
}

TEST_F(MainProgramTest, FramesGoThroughKeyboardUpdateToTheGameAndCommandsNeedAGame)
{
    EXPECT_FALSE(Program().Render());
    EXPECT_EQ(Program().DebugCommand("reset", 1, 2), 0);
    Program().SetGame("RecordingGame", 0);
    EXPECT_EQ(Program().DebugCommand("reset", 1, 2), 3);
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

using MainProgramDeathTest = MainProgramTest;

TEST_F(MainProgramDeathTest, UnknownGameEndsTheProcessAfterBothMessages)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(MainProgram::Instance().SetGame("NoSuchGame", 0), ::testing::ExitedWithCode(3),
                "Factory: could not create\n\"NoSuchGame\"(.|\n)*Unknown Project <NoSuchGame>");
}

}  // namespace
