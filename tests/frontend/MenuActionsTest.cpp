#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/ChangeLevelAction.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/OpenURLAction.h"
#include "support/RecordingGame.h"

namespace {

class MenuActionsTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        RecordingGame::Clear();
    }

    OpenURLAction::Opener Recorder(bool succeeds)
    {
        return [this, succeeds](const std::string& address) {
            opened.push_back(address);
            return succeeds;
        };
    }

    std::vector<std::string> opened;
};

TEST_F(MenuActionsTest, OpenURLHandsTheAddressOverUnchangedAndQuits)
{
    // Characters a shell would act on must reach the browser as they stand.
    const std::string address = "http://example.org/a?b=1&c=$(touch pwned);d='e'";
    OpenURLAction action(address, Recorder(true));
    action.Execute();
    EXPECT_EQ(opened, std::vector<std::string>{address});
    int exitCode = 0;
    ASSERT_TRUE(QuitPosted(exitCode));
    EXPECT_EQ(exitCode, -1);
    EXPECT_FALSE(dir.Exists("pwned"));
}

TEST_F(MenuActionsTest, EmptyAddressDoesNothingAFailedOpenStillQuitsAndChangeLevelInitsTheGame)
{
    int exitCode = 0;
    OpenURLAction("", Recorder(true)).Execute();
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(QuitPosted(exitCode));
    OpenURLAction("http://example.org", Recorder(false)).Execute();
    EXPECT_TRUE(Logged("OpenURLAction::Execute: Failed to open <http://example.org>"));
    EXPECT_TRUE(QuitPosted(exitCode));
    // A level change calls the game's Init with its level.
    RecordingGame game;
    RecordingGame::Clear();
    ChangeLevelAction action(6, &game);
    action.Execute();
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 6"});
}

}  // namespace
