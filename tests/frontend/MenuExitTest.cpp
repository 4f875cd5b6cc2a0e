#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frontend/ChangeLevelAction.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/OpenURLAction.h"
#include "frontend/QMExitLevel.h"
#include "frontend/QuitQuestion.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingGame.h"
#include "text/TextDisplay.h"
#include "text/TextTestSupport.h"

namespace {

class MenuExitTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        AddSprite("ExitScreen", 1024, 768, 1);
        AddSprite("LinkButton", 100, 40);
    }

    // The exit level with one link at (700, 600); its address goes to a recorder instead of
    // the browser.
    void InitWithOneLink(QMExitLevel& level)
    {
        dir.Write("Data/Shared/QuitButtons.txt", "LinkButton 700 600 http://example.org/\n");
        level.Init(&game);
        level.Activate();
        ASSERT_EQ(level.GetButtons().size(), 1u);
        level.GetButtons()[0]->SetAction(std::make_unique<OpenURLAction>("http://example.org/", Recorder(true)));
    }

    // Notes the addresses instead of handing them to the browser.
    OpenURLAction::Opener Recorder(bool succeeds)
    {
        return [this, succeeds](const std::string& address) {
            opened.push_back(address);
            return succeeds;
        };
    }

    RecordingGame game;
    std::vector<std::string> opened;
};

TEST_F(MenuExitTest, OpenURLHandsTheAddressOverUnchangedAndQuitsEvenWhenOpeningFails)
{
    // Characters a shell would act on must reach the browser as they stand.
    const std::string address = "http://example.org/a?b=1&c=$(touch pwned);d='e'";
    OpenURLAction(address, Recorder(true)).Execute();
    EXPECT_EQ(opened, std::vector<std::string>{address});
    EXPECT_EQ(QuitsPosted(), 1);
    EXPECT_FALSE(dir.Exists("pwned"));

    OpenURLAction("http://example.org", Recorder(false)).Execute();
    EXPECT_TRUE(Logged("OpenURLAction::Execute: Failed to open <http://example.org>"));
    EXPECT_EQ(QuitsPosted(), 1);
}

TEST_F(MenuExitTest, EmptyAddressDoesNothingAndChangeLevelInitsTheGame)
{
    opened.clear();
    OpenURLAction("", Recorder(true)).Execute();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(QuitsPosted(), 0);
    ChangeLevelAction(6, &game).Execute();
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 6"});
}

TEST_F(MenuExitTest, OnlyLinesOfFourTokensWithAPositionMakeLinksAndAMissingFileIsLogged)
{
    QMExitLevel withoutFile;
    withoutFile.Init(&game);
    EXPECT_TRUE(Logged("QMExitLevel Failed to open <Data\\Shared\\QuitButtons.txt>!\n"));
    EXPECT_TRUE(withoutFile.GetButtons().empty());

    dir.Write("Data/Shared/QuitButtons.txt",
              "# links shown on the goodbye screen\n"
              "LinkButton 700 600 http://example.org/one\n"
              "LinkButton 700 600\n"
              "LinkButton 10 20 http://example.org/two extra\n"
              "LinkButton left 20 http://example.org/three\n"
              "\n"
              "LinkButton\t20\t30\thttp://example.org/four");
    QMExitLevel level;
    level.Init(&game);
    std::vector<std::string> links;
    for (const auto& button : level.GetButtons()) {
        auto* action = dynamic_cast<OpenURLAction*>(button->GetAction());
        links.push_back(std::to_string(button->GetX()) + " " + (action ? action->GetAddress() : "no link"));
    }
    EXPECT_EQ(links, (std::vector<std::string>{"700 http://example.org/one", "20 http://example.org/four"}));
    EXPECT_TRUE(Logged("Skipping a link button without position <LinkButton>"));
    EXPECT_EQ(level.GetBackground(), Sprites().GetSprite("ExitScreen"));
}

TEST_F(MenuExitTest, AnyKeyOrAClickOffTheLinkQuitsOnceOnTheNextUpdateWithoutOpening)
{
    QMExitLevel level;
    InitWithOneLink(level);
    level.Update(0.01f);
    level.KeyDown('A');
    EXPECT_EQ(QuitsPosted(), 0);
    level.Update(0.01f);
    level.Update(0.01f);
    EXPECT_EQ(QuitsPosted(), 1);

    level.Activate();
    ClickAt(level, 100, 100);
    EXPECT_TRUE(level.IsQuitting());
    // So does a press on the link released after moving off it.
    level.Activate();
    level.MouseMove(710, 610);
    level.MouseButtonDown(710, 610, false);
    level.MouseMove(100, 100);
    level.LeftButtonUp(100, 100);
    EXPECT_TRUE(level.IsQuitting());
    EXPECT_TRUE(opened.empty());
}

TEST_F(MenuExitTest, AClickOrEnterOnTheChosenLinkOpensItWhileOtherKeysStillQuit)
{
    QMExitLevel level;
    InitWithOneLink(level);
    ClickAt(level, 710, 610);
    EXPECT_EQ(opened, std::vector<std::string>{"http://example.org/"});
    EXPECT_FALSE(level.IsQuitting());
    EXPECT_EQ(QuitsPosted(), 1);

    level.Activate();
    level.KeyDown(vk::kReturn);
    EXPECT_TRUE(level.IsQuitting()) << "nothing chosen yet: Enter is any key";
    level.Activate();
    level.KeyDown(vk::kLeft);
    level.KeyUp(vk::kLeft);
    level.KeyDown(vk::kReturn);
    EXPECT_FALSE(level.IsQuitting());
    EXPECT_EQ(level.GetButtons()[0]->GetState(), MenuButton::kPressed);
    level.KeyUp(vk::kReturn);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(QuitsPosted(), 1);
    level.KeyDown(vk::kEscape);
    EXPECT_TRUE(level.IsQuitting());

    dir.Write("Data/Shared/QuitButtons.txt", "");
    QMExitLevel withoutLinks;
    withoutLinks.Init(&game);
    withoutLinks.Activate();
    withoutLinks.KeyDown(vk::kRight);
    EXPECT_TRUE(withoutLinks.IsQuitting());
}

class QuitQuestionTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        AddSprite("yesButton", 179, 60);
        AddSprite("noButton", 179, 60);
        // Only the "a" (4 pixels) and the blank (5) of the question have widths in this font.
        TextDisplay::Instance().AddFont(MeasuringFont(20), QuitQuestion::kFontName);
    }

    // The keys let go one after the other, a frame between them, as the board game hands them on.
    static void Release(QuitQuestion& question, const std::vector<int>& keys)
    {
        for (int key : keys) {
            question.KeyUp(key);
            question.Update(0.01f);
        }
    }

    static void ClickOn(QuitQuestion& question, const MenuButton& button)
    {
        ClickAt(question, button.GetX() + 10, button.GetY() + 10);
    }
};

TEST_F(QuitQuestionTest, ButtonsMoveApartByTheQuestionWidthAndRenderingLeavesTheTextDisplayAlone)
{
    QuitQuestion question;
    EXPECT_EQ(question.GetYesButton().GetX(), 459 - 4);
    EXPECT_EQ(question.GetNoButton().GetX(), 386 + 4);
    TextDisplay& text = TextDisplay::Instance();
    text.SetRect(1, 2, 3, 4);
    text.SetHorizontalAlignment(kAlignLeft);
    question.Render();
    EXPECT_EQ(text.GetRect().x, 1);
    EXPECT_EQ(text.GetRect().height, 4);
    EXPECT_EQ(text.GetHorizontalAlignment(), kAlignLeft);
    EXPECT_EQ(DrawsOf(Sprites().GetSprite("yesButton")).size(), 1u);
    EXPECT_EQ(DrawsOf(Sprites().GetSprite("noButton")).size(), 1u);
}

TEST_F(QuitQuestionTest, ClicksAndKeysAnswerAndTheAnswerStaysUntilReset)
{
    struct Case {
        std::vector<int> keys;
        int answer;
    };
    const Case cases[] = {
        {{'Y'}, QuitQuestion::kYes},
        {{'J'}, QuitQuestion::kYes},
        {{'N'}, QuitQuestion::kNo},
        {{vk::kReturn, vk::kSpace, 'A'}, QuitQuestion::kNoAnswer},
        {{vk::kRight, vk::kReturn}, QuitQuestion::kNo},
        {{vk::kRight, vk::kLeft, vk::kSpace}, QuitQuestion::kYes},
        {{vk::kDown, vk::kUp, vk::kReturn}, QuitQuestion::kNo},
        {{vk::kLeft}, QuitQuestion::kNoAnswer},
    };
    QuitQuestion question;
    EXPECT_EQ(question.Result(), QuitQuestion::kNoAnswer);
    ClickOn(question, question.GetNoButton());
    EXPECT_EQ(question.Result(), QuitQuestion::kNo);
    ClickOn(question, question.GetYesButton());
    // The answer is still there for the level's next update after the pointer moved on.
    question.MouseMove(0, 0);
    EXPECT_EQ(question.Result(), QuitQuestion::kYes);
    for (const Case& c : cases) {
        question.Reset();
        Release(question, c.keys);
        EXPECT_EQ(question.Result(), c.answer) << c.keys.front() << " (Reset must clear the answer)";
    }
    // The highlight is the pointer's as well: a move over "no" takes it there.
    question.Reset();
    Release(question, {vk::kLeft});
    question.MouseMove(0, 0);
    EXPECT_EQ(question.GetYesButton().GetState(), MenuButton::kHovered) << "a pointer that did not move";
    question.MouseMove(question.GetNoButton().GetX() + 5, question.GetNoButton().GetY() + 5);
    EXPECT_EQ(question.GetYesButton().GetState(), MenuButton::kNormal);
    Release(question, {vk::kReturn});
    EXPECT_EQ(question.Result(), QuitQuestion::kNo);
}

}  // namespace
