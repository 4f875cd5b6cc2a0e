#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frontend/HighscoreManager.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/QMCreditsLevel.h"
#include "frontend/QMHelpLevel.h"
#include "frontend/QMHighscoreLevel.h"
#include "frontend/QMMainMenuLevel.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingGame.h"

namespace {

constexpr int kNone = QMMenuLevel::kNoHighlight;

class MenuKeysTest : public MenuTest {
protected:
    static void Tap(QMMenuLevel& level, int key)
    {
        level.KeyDown(key);
        level.KeyUp(key);
    }

    // The frame each button shows, in button order.
    static std::vector<int> FramesShown(QMMenuLevel& level)
    {
        RenderEngine::Instance().Clear();
        level.Render();
        std::vector<int> frames;
        for (const auto& button : level.GetButtons()) {
            auto draws = DrawsOf(Sprites().GetSprite(button->GetSpriteName()));
            frames.push_back(draws.empty() ? -1 : draws.back().info.frame);
        }
        return frames;
    }

    RecordingGame game;
};

template <class LevelClass>
std::unique_ptr<QMMenuLevel> Make()
{
    return std::make_unique<LevelClass>();
}

TEST_F(MenuKeysTest, ArrowsMoveTheHighlightRoundAndEnterOrSpaceClicksItInEveryMenu)
{
    const struct {
        std::unique_ptr<QMMenuLevel> (*make)();
        std::vector<int> arrows;
        int highlighted;
        int pressKey;
        std::vector<std::string> calls;
    } cases[] = {
        {Make<QMMainMenuLevel>, {}, kNone, vk::kReturn, {}},
        {Make<QMMainMenuLevel>, {vk::kRight}, 0, vk::kReturn, {"Init 1"}},
        {Make<QMMainMenuLevel>, {vk::kDown, vk::kDown}, 1, vk::kSpace, {"Init 6"}},
        {Make<QMMainMenuLevel>, {vk::kLeft, vk::kLeft}, 2, vk::kReturn, {"Init 3"}},
        {Make<QMMainMenuLevel>, {vk::kUp}, 3, vk::kReturn, {"Init 5"}},
        {Make<QMMainMenuLevel>, {vk::kRight, vk::kRight, vk::kRight, vk::kRight, vk::kRight}, 0, vk::kSpace, {"Init 1"}},
        {Make<QMMainMenuLevel>, {vk::kRight, vk::kLeft}, 3, 'A', {}},
        {Make<QMHelpLevel>, {vk::kRight, vk::kRight}, 0, vk::kReturn, {"Init 0"}},
        {Make<QMCreditsLevel>, {vk::kUp}, 0, vk::kSpace, {"Init 0"}},
        {Make<QMHighscoreLevel>, {vk::kLeft}, 1, vk::kReturn, {"Init 0"}},
        {Make<QMHighscoreLevel>, {vk::kDown}, 0, vk::kReturn, {"Init 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::unique_ptr<QMMenuLevel> level = c.make();
        level->Init(&game);
        level->Activate();
        RecordingGame::Clear();
        for (int key : c.arrows) {
            Tap(*level, key);
        }
        EXPECT_EQ(level->GetHighlighted(), c.highlighted);
        Tap(*level, c.pressKey);
        EXPECT_EQ(RecordingGame::Calls(), c.calls);
        level->Exit();
    }
}

TEST_F(MenuKeysTest, TheHighlightShowsAsHoverAndAKeyClickFlashesAndKnocksAsAMouseClick)
{
    QMMainMenuLevel menu;
    menu.Init(&game);
    menu.Activate();
    EXPECT_EQ(FramesShown(menu), (std::vector<int>{0, 0, 0, 0}));
    Tap(menu, vk::kRight);
    EXPECT_EQ(menu.GetButtons()[0]->GetState(), MenuButton::kHovered);
    EXPECT_EQ(Knocks(), 1);
    // The mouse's hover only flashes; the keyboard's stays, or the player would lose it.
    menu.Update(1.0f);
    EXPECT_EQ(FramesShown(menu), (std::vector<int>{1, 0, 0, 0}));

    menu.KeyDown(vk::kReturn);
    EXPECT_EQ(FramesShown(menu), (std::vector<int>{2, 0, 0, 0}));
    EXPECT_EQ(Knocks(), 2);
    EXPECT_TRUE(RecordingGame::Calls().empty());
    menu.KeyUp(vk::kReturn);
    EXPECT_TRUE(menu.GetButtons()[0]->IsClicked());
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 1"});

    menu.Activate();
    EXPECT_EQ(menu.GetHighlighted(), kNone);
    menu.Update(1.0f);
    EXPECT_EQ(FramesShown(menu), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(MenuKeysTest, PointerAndKeysShareOneHighlightAClickGoesWhereThePointerIsAndPicturelessButtonsAreSkipped)
{
    QMMainMenuLevel menu;
    menu.Init(&game);
    menu.Activate();
    menu.MouseMove(270, 700);
    EXPECT_EQ(menu.GetHighlighted(), 1);
    Tap(menu, vk::kRight);
    EXPECT_EQ(menu.GetHighlighted(), 2);
    EXPECT_EQ(menu.GetButtons()[1]->GetState(), MenuButton::kNormal);

    // A click beside every button does not click the one the keys chose.
    menu.MouseButtonDown(240, 600, false);
    menu.LeftButtonUp(240, 600);
    EXPECT_TRUE(RecordingGame::Calls().empty());
    EXPECT_EQ(menu.GetHighlighted(), kNone);

    Tap(menu, vk::kLeft);
    EXPECT_EQ(menu.GetHighlighted(), 3);
    menu.MouseMove(30, 700);
    EXPECT_EQ(menu.GetHighlighted(), 0);
    EXPECT_EQ(menu.GetButtons()[3]->GetState(), MenuButton::kNormal);
    menu.MouseMove(240, 600);
    EXPECT_EQ(menu.GetHighlighted(), kNone);
    Tap(menu, vk::kReturn);
    EXPECT_TRUE(RecordingGame::Calls().empty());

    // A window switching to full screen reports the pointer where it was: the keys keep their
    // highlight until the mouse really moves, be it by one pixel.
    Tap(menu, vk::kRight);
    menu.MouseMove(240, 600);
    EXPECT_EQ(menu.GetHighlighted(), 0);
    EXPECT_TRUE(menu.GetButtons()[0]->IsKeyHighlighted());
    menu.MouseMove(241, 600);
    EXPECT_EQ(menu.GetHighlighted(), kNone);
    EXPECT_EQ(menu.GetButtons()[0]->GetState(), MenuButton::kNormal);

    ASSERT_TRUE(Sprites().ReleaseSprite("HelpButton"));
    QMMainMenuLevel withoutHelp;
    withoutHelp.Init(&game);
    withoutHelp.Activate();
    Tap(withoutHelp, vk::kRight);
    Tap(withoutHelp, vk::kRight);
    EXPECT_EQ(withoutHelp.GetHighlighted(), 2);
    // A menu entered by key knows where the other menus last saw the pointer.
    withoutHelp.MouseMove(241, 600);
    EXPECT_EQ(withoutHelp.GetHighlighted(), 2);
}

}  // namespace
