#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Debug.h"
#include "app/KeyboardInput.h"
#include "app/MainProgram.h"
#include "game/QuillmarkApplication.h"
#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/SyntheticInput.h"
#include "settings/SettingsManager.h"
#include "support/RecordingGame.h"
#include "support/TempDir.h"

namespace {

// The game's application on a recording game named by the configuration, driven by system
// input through the whole path: event pump, window procedure, MainProgram, game.
class QuillmarkApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseServices();
        dir.Write("data/config.txt", "startGameState RecordingGame\nactiveLevel 2\n");
        ASSERT_TRUE(SettingsManager::Instance().LoadSettings("data\\config.txt"));
        config.windowTitle = "Das Quillmark";
        ASSERT_TRUE(app.Create(config));
    }
    void TearDown() override { ReleaseServices(); }

    static void ReleaseServices()
    {
        MainProgram::Release();
        KeyboardInput::Release();
        SettingsManager::Release();
        platform::EventPump::Release();
        Debug::Release();
        RecordingGame::Clear();
    }

    TempDir dir;
    AppConfig config;
    QuillmarkApplication app;
};

TEST_F(QuillmarkApplicationTest, TheConfiguredGameStartsAtTheConfiguredLevelGetsFramesAndInputAndEndsWithTheWindow)
{
    std::vector<std::string> expected = {"Construct", "Init 2", "MouseMove 512 384"};
    EXPECT_EQ(RecordingGame::Calls(), expected);
    EXPECT_EQ(MainProgram::Instance().CurrentGame(), "RecordingGame");

    while (app.PumpOneEvent()) {
    }
    RecordingGame::Clear();
    app.Update(0.02f);
    platform::PushKey("Left", true);
    platform::PushText("\xC3\xB6");
    platform::PushMouseMotion(400, 300);
    platform::PushMouseButton(1, true, 2, 0, 0);
    platform::EventPump::Instance().Invalidate();
    while (app.PumpOneEvent()) {
    }
    expected = {"Update", "KeyDown 37", "Char 246", "MouseMove 512 384", "MouseButtonDown 0 0 double", "Render"};
    EXPECT_EQ(RecordingGame::Calls(), expected);
    EXPECT_TRUE(KeyboardInput::Instance().IsDown(37));

    platform::PushWindowClose();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(RecordingGame::Count("Exit"), 1);
    EXPECT_EQ(RecordingGame::Calls().back(), "Destroy");
    EXPECT_EQ(MainProgram::Instance().Game(), nullptr);
}

}  // namespace
