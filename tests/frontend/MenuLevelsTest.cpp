#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/ChangeLevelAction.h"
#include "frontend/HighscoreManager.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/OnceOverMenuButton.h"
#include "frontend/QMCreditsLevel.h"
#include "frontend/QMHelpLevel.h"
#include "frontend/QMMainMenuLevel.h"
#include "support/RecordingGame.h"

namespace {

class MenuLevelsTest : public MenuTest {
protected:
    // Each button as "picture -> level it leads to".
    static std::vector<std::string> ButtonsOf(const QMMenuLevel& level)
    {
        std::vector<std::string> buttons;
        for (const auto& button : level.GetButtons()) {
            auto* action = dynamic_cast<ChangeLevelAction*>(button->GetAction());
            buttons.push_back(button->GetSpriteName() + " -> " + (action ? std::to_string(action->GetLevel()) : "?"));
        }
        return buttons;
    }

    // The y of each credit line "a" drawn: one glyph at the line's position.
    static std::vector<int> CreditLineYs()
    {
        std::vector<int> ys;
        for (const auto& entry : DrawsOf(Sprites().GetSprite("Font_IngameFont_big"))) {
            EXPECT_EQ(entry.info.destX, QMCreditsLevel::kTextX);
            ys.push_back(entry.info.destY);
        }
        RenderEngine::Instance().Clear();
        return ys;
    }

    RecordingGame game;
};

TEST_F(MenuLevelsTest, MainMenuBuildsItsFourFlashingButtonsAndForgetsAnOldResult)
{
    HighscoreManager::Instance().SetResultScore(1234);
    QMMainMenuLevel menu;
    ASSERT_TRUE(menu.Init(&game));
    EXPECT_EQ(ButtonsOf(menu), (std::vector<std::string>{"StartGameButton -> 1", "HelpButton -> 6",
                                                         "HighscoreButton -> 3", "QuitButton -> 5"}));
    for (const auto& button : menu.GetButtons()) {
        EXPECT_NE(dynamic_cast<OnceOverMenuButton*>(button.get()), nullptr);
    }
    EXPECT_EQ(menu.GetBackground(), Sprites().GetSprite("MainMenuBackground"));
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), HighscoreManager::kNoResult);
    EXPECT_TRUE(Logged("MainMenu Init\n"));
    EXPECT_TRUE(Logged("MainMenu Init Done\n"));
}

TEST_F(MenuLevelsTest, ClickSwitchesTheGameRenderPutsTheBackgroundFirstActivateResetsAndExitDeletes)
{
    QMMainMenuLevel menu;
    menu.Init(&game);
    ClickAt(menu, 240, 700);
    EXPECT_TRUE(RecordingGame::Calls().empty()) << "between the buttons nothing happens";
    ClickAt(menu, 270, 700);
    EXPECT_EQ(RecordingGame::Calls(), std::vector<std::string>{"Init 6"});

    ClickAt(menu, 30, 700);
    menu.Render();
    const auto& queue = RenderEngine::Instance().GetDepthQueue();
    ASSERT_EQ(queue.size(), 5u);
    EXPECT_EQ(queue[0].sprite, Sprites().GetSprite("MainMenuBackground"));
    EXPECT_EQ(queue[0].info.frame, 1);
    EXPECT_FLOAT_EQ(queue[0].depth, 0.0f);
    EXPECT_EQ(queue[1].info.frame, MenuButton::kPressed);
    EXPECT_EQ(queue[4].info.frame, MenuButton::kNormal);

    ASSERT_TRUE(menu.GetButtons()[0]->IsClicked());
    menu.Activate();
    EXPECT_EQ(menu.GetButtons()[0]->GetState(), MenuButton::kNormal);
    EXPECT_FALSE(menu.GetButtons()[0]->IsClicked());
    EXPECT_TRUE(Logged("QMMenuLevel Reset\nQMMenuLevel Reset Done\n"));
    menu.Exit();
    EXPECT_TRUE(menu.GetButtons().empty());
    EXPECT_TRUE(Logged("QMMenuLevel Exit\nQMMenuLevel Exit Done\n"));
}

TEST_F(MenuLevelsTest, CreditsReadTheirLinesAndCreditsAndHelpLeadBackToTheMenu)
{
    dir.Write("Data/Shared/Credits.txt", "Das Quillmark\n\nDank an alle\r\nLetzte Zeile");
    QMCreditsLevel credits;
    credits.Init(&game);
    EXPECT_EQ(credits.GetLines(), (std::vector<std::string>{"Das Quillmark", "", "Dank an alle", "Letzte Zeile"}));
    EXPECT_EQ(ButtonsOf(credits), std::vector<std::string>{"MainMenuButton -> 0"});
    EXPECT_EQ(dynamic_cast<OnceOverMenuButton*>(credits.GetButtons()[0].get()), nullptr);
    EXPECT_EQ(credits.GetBackground(), Sprites().GetSprite("MainMenuBackground"));

    QMHelpLevel help;
    help.Init(&game);
    EXPECT_EQ(ButtonsOf(help), std::vector<std::string>{"MainMenuButton -> 0"});
    EXPECT_EQ(help.GetBackground(), Sprites().GetSprite("HelpMenuBackground"));
}

TEST_F(MenuLevelsTest, CreditsScrollUpAndStartAgainAfterTheLastLineOrAtOnceWithoutLines)
{
    QMCreditsLevel missing;
    missing.Init(&game);
    EXPECT_TRUE(Logged("QMCreditLevel Failed to open data\\shared\\credits.txt!\n"));
    EXPECT_EQ(missing.GetButtons().size(), 1u);
    for (int i = 0; i < 2; ++i) {
        missing.Update(0.1f);
        EXPECT_FLOAT_EQ(missing.GetScrollOffset(), 600.0f);
    }

    dir.Write("Data/Shared/Credits.txt", "a\na\n");
    QMCreditsLevel credits;
    credits.Init(&game);
    credits.Activate();
    credits.Update(5.0f);
    EXPECT_FLOAT_EQ(credits.GetScrollOffset(), 550.0f);
    // 605 pixels up: the first line's bottom left the top, the second line starts at -5.
    credits.Update(60.5f);
    EXPECT_EQ(credits.GetFirstVisibleLine(), 1);
    EXPECT_NEAR(credits.GetScrollOffset(), -5.0f, 0.01f);
    credits.Update(4.0f);
    EXPECT_EQ(credits.GetFirstVisibleLine(), 1);
    credits.Update(1.0f);
    EXPECT_EQ(credits.GetFirstVisibleLine(), 0);
    EXPECT_FLOAT_EQ(credits.GetScrollOffset(), 600.0f);
}

TEST_F(MenuLevelsTest, CreditsDrawTheVisibleLinesFiftyPixelsApart)
{
    LoadBigFont("a", -2);
    std::string text;
    for (int i = 0; i < 20; ++i) {
        text += "a\n";
    }
    dir.Write("Data/Shared/Credits.txt", text);
    QMCreditsLevel credits;
    credits.Init(&game);
    credits.Activate();
    credits.Update(20.0f);
    RenderEngine::Instance().Clear();
    credits.Render();
    // Offset 400: lines at 400, 450, 500 and 550; 600 is below the text area.
    EXPECT_EQ(CreditLineYs(), (std::vector<int>{400, 450, 500, 550}));

    credits.Update(45.04f);
    credits.Render();
    // Offset -50.4 passes line 0: line 1 starts at trunc(-0.4 + 0.5) = 0, eleven more follow.
    std::vector<int> ys = CreditLineYs();
    ASSERT_EQ(ys.size(), 12u);
    EXPECT_EQ(ys.front(), 0);
    EXPECT_EQ(ys.back(), 550);
}

}  // namespace
