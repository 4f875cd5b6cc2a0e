#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frontend/ButtonAction.h"
#include "frontend/MenuButton.h"
#include "frontend/OnceOverMenuButton.h"
#include "frontend/MenuTestSupport.h"

namespace {

class CountingAction : public ButtonAction {
public:
    explicit CountingAction(int& counter) : count(counter) {}
    void Execute() override { ++count; }

private:
    int& count;
};

// Buttons of 100 x 40 at (200, 300): (250, 320) is inside, (50, 50) outside.
constexpr int kInX = 250;
constexpr int kInY = 320;
constexpr int kOutX = 50;
constexpr int kOutY = 50;

class MenuButtonTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        sprite = AddSprite("TestButton", 100, 40);
    }

    template <class Button, class... Args>
    std::unique_ptr<Button> Make(Args... args)
    {
        auto button = std::make_unique<Button>("TestButton", 200, 300, args...);
        button->SetAction(std::make_unique<CountingAction>(executed));
        return button;
    }

    static void Click(MenuButton& button)
    {
        button.MouseButtonDown(kInX, kInY, false);
        button.LeftButtonUp(kInX, kInY);
    }

    int LastFrameDrawn() const
    {
        auto draws = DrawsOf(sprite);
        return draws.empty() ? -1 : draws.back().info.frame;
    }

    Sprite* sprite = nullptr;
    int executed = 0;
};

TEST_F(MenuButtonTest, HitBoxIsThePictureCellAtThePositionAndWithoutAPictureNothing)
{
    auto button = Make<MenuButton>("", "");
    EXPECT_TRUE(button->Contains(200, 300));
    EXPECT_TRUE(button->Contains(299, 339));
    EXPECT_FALSE(button->Contains(300, 320));
    EXPECT_FALSE(button->Contains(250, 340));
    EXPECT_FALSE(button->Contains(199, 320));
    // A missing sprite is logged and the button never hovered.
    MenuButton orphan("NoSuchButton", 0, 0, "", "");
    EXPECT_TRUE(Logged("MenuButton, Sprite NoSuchButton not found"));
    orphan.MouseMove(0, 0);
    EXPECT_EQ(orphan.GetState(), MenuButton::kNormal);
    orphan.Render();
    EXPECT_TRUE(RenderEngine::Instance().GetDepthQueue().empty());
}

TEST_F(MenuButtonTest, HoverPressReleaseRunsTheActionWhereverTheReleaseIs)
{
    auto button = Make<MenuButton>("rolloverSound", "clickSound");
    button->MouseMove(kInX, kInY);
    EXPECT_EQ(button->GetState(), MenuButton::kHovered);
    button->MouseButtonDown(kInX, kInY, false);
    EXPECT_EQ(button->GetState(), MenuButton::kPressed);
    EXPECT_EQ(executed, 0);
    button->LeftButtonUp(kInX, kInY);
    EXPECT_EQ(executed, 1);
    EXPECT_TRUE(button->IsClicked());
    // The sound names of a plain button are never played.
    EXPECT_EQ(Knocks(), 0);
    // The release is not tested against the pointer.
    button->MouseButtonDown(kInX, kInY, false);
    button->LeftButtonUp(kOutX, kOutY);
    EXPECT_EQ(executed, 2);
}

TEST_F(MenuButtonTest, MovingOffBeforeReleaseCancelsTheClick)
{
    auto button = Make<MenuButton>("", "");
    button->MouseMove(kInX, kInY);
    button->MouseButtonDown(kInX, kInY, false);
    button->MouseMove(kOutX, kOutY);
    EXPECT_EQ(button->GetState(), MenuButton::kNormal);
    // Coming back does not restore the press: the state is only hovered again.
    button->MouseMove(kInX, kInY);
    EXPECT_EQ(button->GetState(), MenuButton::kHovered);
    button->LeftButtonUp(kInX, kInY);
    EXPECT_EQ(executed, 0);
    EXPECT_FALSE(button->IsClicked());

    Click(*button);
    EXPECT_EQ(executed, 1);
}

TEST_F(MenuButtonTest, PressWithoutHoverAndStrayReleaseDoNothing)
{
    auto button = Make<MenuButton>("", "");
    Click(*button);
    EXPECT_EQ(button->GetState(), MenuButton::kNormal);
    EXPECT_EQ(executed, 0);
    // Pressed outside, then moved in: hovered, not pressed.
    button->MouseButtonDown(kOutX, kOutY, false);
    button->MouseMove(kInX, kInY);
    button->LeftButtonUp(kInX, kInY);
    EXPECT_EQ(executed, 0);
}

TEST_F(MenuButtonTest, EveryEventButAClickClearsTheClickedFlag)
{
    auto button = Make<MenuButton>("", "");
    button->MouseMove(kInX, kInY);
    Click(*button);
    ASSERT_TRUE(button->IsClicked());
    button->MouseMove(kInX + 1, kInY);
    EXPECT_FALSE(button->IsClicked());

    Click(*button);
    button->MouseButtonDown(kInX, kInY, false);
    EXPECT_FALSE(button->IsClicked());

    button->MouseMove(kOutX, kOutY);
    button->LeftButtonUp(kOutX, kOutY);
    EXPECT_FALSE(button->IsClicked());
}

TEST_F(MenuButtonTest, DrawsTheStateAsFrameAtTextDepth)
{
    auto button = Make<MenuButton>("", "");
    button->MouseMove(kInX, kInY);
    button->Render();
    auto draws = DrawsOf(sprite);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].info.frame, MenuButton::kHovered);
    EXPECT_EQ(draws[0].info.destX, 200);
    EXPECT_EQ(draws[0].info.destY, 300);
    EXPECT_FLOAT_EQ(draws[0].depth, 10.0f);
}

TEST_F(MenuButtonTest, OnceOverHighlightFlashesForTheFlashTimeOnly)
{
    auto button = Make<OnceOverMenuButton>(0.3f);
    button->MouseMove(kInX, kInY);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kHovered);
    EXPECT_EQ(Knocks(), 1);
    button->Update(0.2f);
    button->Render();
    EXPECT_EQ(LastFrameDrawn(), MenuButton::kHovered);
    button->Update(0.2f);
    button->Render();
    EXPECT_EQ(LastFrameDrawn(), MenuButton::kNormal);
    // Still hovered: the state goes on, only the picture fell back.
    EXPECT_EQ(button->GetState(), MenuButton::kHovered);
    // Moving within the button neither flashes nor knocks again.
    button->MouseMove(kInX + 5, kInY);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kNormal);
    EXPECT_EQ(Knocks(), 1);
}

TEST_F(MenuButtonTest, OnceOverPressFlashesThePressedFrameAndClicks)
{
    auto button = Make<OnceOverMenuButton>(0.3f);
    button->MouseMove(kInX, kInY);
    button->Update(1.0f);
    button->MouseButtonDown(kInX, kInY, false);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kPressed);
    EXPECT_EQ(Knocks(), 2);
    button->Update(0.29f);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kPressed);
    button->LeftButtonUp(kInX, kInY);
    EXPECT_EQ(executed, 1);
    button->Update(0.02f);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kNormal);
}

TEST_F(MenuButtonTest, OnceOverCancelsLikeAPlainButton)
{
    auto button = Make<OnceOverMenuButton>(0.3f);
    button->MouseMove(kInX, kInY);
    button->MouseButtonDown(kInX, kInY, false);
    button->MouseMove(kOutX, kOutY);
    button->LeftButtonUp(kOutX, kOutY);
    EXPECT_EQ(executed, 0);
    // Entering again flashes again.
    button->MouseMove(kInX, kInY);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kHovered);
    EXPECT_EQ(Knocks(), 3);
}

TEST_F(MenuButtonTest, OnceOverClickSurvivesALaterMoveAndResetEndsTheFlash)
{
    auto button = Make<OnceOverMenuButton>(0.3f);
    button->MouseMove(kInX, kInY);
    Click(*button);
    button->MouseMove(kOutX, kOutY);
    EXPECT_TRUE(button->IsClicked());
    button->MouseMove(kInX, kInY);
    button->MouseButtonDown(kInX, kInY, false);
    button->Reset();
    EXPECT_EQ(button->GetState(), MenuButton::kNormal);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kNormal);
}

}  // namespace
