#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "frontend/ButtonAction.h"
#include "frontend/MenuButton.h"
#include "frontend/MenuTestSupport.h"
#include "frontend/OnceOverMenuButton.h"

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
    const std::tuple<int, int, bool> points[] = {
        {200, 300, true}, {299, 339, true}, {300, 320, false}, {250, 340, false}, {199, 320, false}};
    for (const auto& [x, y, inside] : points) {
        EXPECT_EQ(button->Contains(x, y), inside) << x << ", " << y;
    }
    button->MouseMove(kInX, kInY);
    button->Render();
    auto draws = DrawsOf(sprite);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].info.frame, MenuButton::kHovered);
    EXPECT_EQ(std::pair(draws[0].info.destX, draws[0].info.destY), std::pair(200, 300));
    EXPECT_FLOAT_EQ(draws[0].depth, 10.0f) << "buttons stand at the text's depth";

    MenuButton orphan("NoSuchButton", 0, 0, "", "");
    EXPECT_TRUE(Logged("MenuButton, Sprite NoSuchButton not found"));
    orphan.MouseMove(0, 0);
    EXPECT_EQ(orphan.GetState(), MenuButton::kNormal);
    RenderEngine::Instance().Clear();
    orphan.Render();
    EXPECT_TRUE(RenderEngine::Instance().GetDepthQueue().empty());
}

// Pointer events as letters: m/o move in/out, d/D press in/out, u/U release in/out.
TEST_F(MenuButtonTest, OnlyAPressOnTheHoveredButtonClicksItAndEveryOtherEventClearsTheClick)
{
    struct Case {
        const char* events;
        const char* states;  // N(ormal), H(overed) or P(ressed) after each event
        int executed;
        bool clicked;
    };
    const Case cases[] = {
        {"mdudU", "HPPPP", 2, true},       // the release is not tested against the pointer
        {"mdomu", "HPNHH", 0, false},      // moving off cancels; coming back only hovers
        {"mdomudu", "HPNHHPP", 1, true},   // and a new click then works
        {"du", "NN", 0, false},            // a press without hover
        {"Dmu", "NHH", 0, false},          // pressed outside, then moved in
        {"mdum", "HPPP", 1, false},        // a move,
        {"mdud", "HPPP", 1, false},        // a press,
        {"mduoU", "HPPNN", 1, false},      // a stray release: each clears the click
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        executed = 0;
        // Sound names a plain button must never play.
        auto button = Make<MenuButton>("brett-hit1", "brett-hit2");
        std::string states;
        for (const char* e = c.events; *e; ++e) {
            const bool in = *e == 'm' || *e == 'd' || *e == 'u';
            const int x = in ? kInX : kOutX;
            const int y = in ? kInY : kOutY;
            if (*e == 'm' || *e == 'o') {
                button->MouseMove(x, y);
            } else if (*e == 'd' || *e == 'D') {
                button->MouseButtonDown(x, y, false);
            } else {
                button->LeftButtonUp(x, y);
            }
            states += "NHP"[button->GetState()];
        }
        EXPECT_EQ(states, c.states);
        EXPECT_EQ(executed, c.executed);
        EXPECT_EQ(button->IsClicked(), c.clicked);
    }
    EXPECT_EQ(Knocks(), 0);
}

TEST_F(MenuButtonTest, OnceOverFlashesHoverAndPressForTheFlashTimeOnlyWithAKnockEach)
{
    auto button = Make<OnceOverMenuButton>(0.3f);
    button->MouseMove(kInX, kInY);
    EXPECT_EQ(Knocks(), 1);
    button->Update(0.2f);
    button->Render();
    EXPECT_EQ(LastFrameDrawn(), MenuButton::kHovered);
    button->Update(0.2f);
    button->Render();
    EXPECT_EQ(LastFrameDrawn(), MenuButton::kNormal);
    EXPECT_EQ(button->GetState(), MenuButton::kHovered) << "only the picture falls back";
    // Moving within the button neither flashes nor knocks again.
    button->MouseMove(kInX + 5, kInY);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kNormal);
    EXPECT_EQ(Knocks(), 1);

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

TEST_F(MenuButtonTest, OnceOverCancelsLikeAPlainButtonKeepsItsClickOnAMoveAndResetEndsTheFlash)
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

    ClickAt(*button, kInX, kInY);
    button->MouseMove(kOutX, kOutY);
    EXPECT_TRUE(button->IsClicked());
    button->MouseMove(kInX, kInY);
    button->MouseButtonDown(kInX, kInY, false);
    button->Reset();
    EXPECT_EQ(button->GetState(), MenuButton::kNormal);
    EXPECT_EQ(button->GetFrameShown(), MenuButton::kNormal);
}

}  // namespace
