#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/KeyboardInput.h"
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
        level.GetButtons()[0]->SetAction(std::make_unique<OpenURLAction>(
            "http://example.org/", [this](const std::string& address) {
                opened.push_back(address);
                return true;
            }));
    }

    static void ClickAt(QMExitLevel& level, int x, int y)
    {
        level.MouseMove(x, y);
        level.MouseButtonDown(x, y, false);
        level.LeftButtonUp(x, y);
    }

    static int QuitsPosted()
    {
        int count = 0;
        platform::Event event;
        while (platform::EventPump::Instance().Poll(event)) {
            if (event.type == platform::EventType::Quit) {
                EXPECT_EQ(event.exitCode, -1);
                ++count;
            }
        }
        return count;
    }

    RecordingGame game;
    std::vector<std::string> opened;
};

TEST_F(MenuExitTest, OnlyLinesOfFourTokensWithAPositionMakeLinks)
{
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
    const auto& buttons = level.GetButtons();
    ASSERT_EQ(buttons.size(), 2u);
    auto* first = dynamic_cast<OpenURLAction*>(buttons[0]->GetAction());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetAddress(), "http://example.org/one");
    EXPECT_EQ(buttons[0]->GetX(), 700);
    EXPECT_EQ(buttons[0]->GetY(), 600);
    auto* second = dynamic_cast<OpenURLAction*>(buttons[1]->GetAction());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetAddress(), "http://example.org/four");
    EXPECT_TRUE(Logged("Skipping a link button without position <LinkButton>"));
    EXPECT_EQ(level.GetBackground(), Sprites().GetSprite("ExitScreen"));
}

TEST_F(MenuExitTest, MissingLinkFileIsLoggedAndAnyClickQuits)
{
    QMExitLevel level;
    level.Init(&game);
    EXPECT_TRUE(Logged("QMExitLevel Failed to open <Data\\Shared\\QuitButtons.txt>!\n"));
    EXPECT_TRUE(level.GetButtons().empty());
    level.Activate();
    ClickAt(level, 700, 600);
    level.Update(0.01f);
    EXPECT_EQ(QuitsPosted(), 1);
}

TEST_F(MenuExitTest, AnyKeyQuitsOnTheNextUpdateOnce)
{
    QMExitLevel level;
    InitWithOneLink(level);
    level.Update(0.01f);
    EXPECT_EQ(QuitsPosted(), 0);
    level.KeyDown('A');
    EXPECT_EQ(QuitsPosted(), 0);
    level.Update(0.01f);
    level.Update(0.01f);
    EXPECT_EQ(QuitsPosted(), 1);
    EXPECT_TRUE(opened.empty());
}

TEST_F(MenuExitTest, ClickBesideTheLinksOrReleaseOffALinkQuitsWithoutOpening)
{
    QMExitLevel level;
    InitWithOneLink(level);
    ClickAt(level, 100, 100);
    EXPECT_TRUE(level.IsQuitting());
    level.Update(0.01f);
    EXPECT_EQ(QuitsPosted(), 1);
    EXPECT_TRUE(opened.empty());
    // So does a press on the link released after moving off it.
    level.Activate();
    level.MouseMove(710, 610);
    level.MouseButtonDown(710, 610, false);
    level.MouseMove(100, 100);
    level.LeftButtonUp(100, 100);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(level.IsQuitting());
}

TEST_F(MenuExitTest, ClickOnALinkOpensItAndQuits)
{
    QMExitLevel level;
    InitWithOneLink(level);
    ClickAt(level, 710, 610);
    EXPECT_EQ(opened, std::vector<std::string>{"http://example.org/"});
    EXPECT_FALSE(level.IsQuitting());
    EXPECT_EQ(QuitsPosted(), 1);
}

TEST_F(MenuExitTest, WithLinksArrowsChooseOneAndEnterOpensItWhileOtherKeysStillQuit)
{
    QMExitLevel level;
    InitWithOneLink(level);
    level.KeyDown(vk::kReturn);
    EXPECT_TRUE(level.IsQuitting()) << "nothing chosen yet: Enter is any key";
    level.Activate();
    level.KeyDown(vk::kLeft);
    level.KeyUp(vk::kLeft);
    level.KeyDown(vk::kReturn);
    EXPECT_FALSE(level.IsQuitting());
    EXPECT_EQ(level.GetButtons()[0]->GetState(), MenuButton::kPressed);
    level.KeyUp(vk::kReturn);
    EXPECT_EQ(opened, std::vector<std::string>{"http://example.org/"});
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
        KeyboardInput::Release();
    }

    void TearDown() override
    {
        KeyboardInput::Release();
        MenuTest::TearDown();
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
        int x = button.GetX() + 10;
        int y = button.GetY() + 10;
        question.MouseMove(x, y);
        question.MouseButtonDown(x, y, false);
        question.LeftButtonUp(x, y);
    }
};

TEST_F(QuitQuestionTest, ButtonsStandBesideTheQuestionAndRenderingLeavesTheTextDisplayAlone)
{
    QuitQuestion question;
    EXPECT_EQ(question.GetYesButton().GetX(), 459 - 4);
    EXPECT_EQ(question.GetNoButton().GetX(), 386 + 4);
    EXPECT_EQ(question.GetYesButton().GetY(), 350);
    EXPECT_EQ(question.GetYesButton().GetAction(), nullptr);
    // Rendering leaves the text display as it was.
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

TEST_F(QuitQuestionTest, ResultFollowsTheClickedButtonUntilReset)
{
    QuitQuestion question;
    EXPECT_EQ(question.Result(), QuitQuestion::kNoAnswer);
    ClickOn(question, question.GetNoButton());
    EXPECT_EQ(question.Result(), QuitQuestion::kNo);
    question.Reset();
    EXPECT_EQ(question.Result(), QuitQuestion::kNoAnswer);
    ClickOn(question, question.GetYesButton());
    // The answer is still there for the level's next update after the pointer moved on.
    question.MouseMove(0, 0);
    EXPECT_EQ(question.Result(), QuitQuestion::kYes);
}

TEST_F(QuitQuestionTest, KeysAnswerByClickingTheButtons)
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
    for (const Case& c : cases) {
        question.Reset();
        Release(question, c.keys);
        EXPECT_EQ(question.Result(), c.answer) << c.keys.front();
    }
    // The highlight is the pointer's as well: a move over "no" takes it there.
    question.Reset();
    Release(question, {vk::kLeft});
    const MenuButton& no = question.GetNoButton();
    question.MouseMove(no.GetX() + 5, no.GetY() + 5);
    EXPECT_EQ(question.GetYesButton().GetState(), MenuButton::kNormal);
    Release(question, {vk::kReturn});
    EXPECT_EQ(question.Result(), QuitQuestion::kNo);
}

}  // namespace
