#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/EventPump.h"
#include "platform/GamePadStick.h"
#include "platform/VirtualKeys.h"

namespace {

using platform::Event;
using platform::EventType;

// A pad of the standard layout that exists only in SDL, plugged into a fresh event pump.
class GamePadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::EventPump::Release();
        pump();
        Plug();
    }

    void TearDown() override
    {
        Unplug();
        platform::EventPump::Release();
    }

    void Plug()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(deviceIndex, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(deviceIndex);
        ASSERT_NE(joystick, nullptr);
        Drain();
    }

    void Unplug()
    {
        if (!joystick) {
            return;
        }
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        SDL_JoystickDetachVirtual(deviceIndex);
    }

    // The events the pad made, as "down 37", "up 37", "char 32".
    std::vector<std::string> Button(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
        return Drain();
    }

    std::vector<std::string> Stick(int x, int y)
    {
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
        return Drain();
    }

    static std::vector<std::string> Drain()
    {
        SDL_JoystickUpdate();
        std::vector<std::string> events;
        Event event;
        while (pump().Poll(event)) {
            if (event.type == EventType::KeyDown || event.type == EventType::KeyUp) {
                events.push_back((event.type == EventType::KeyDown ? "down " : "up ") + std::to_string(event.key));
            } else if (event.type == EventType::Char) {
                events.push_back("char " + std::to_string(event.character));
            }
        }
        return events;
    }

    static platform::EventPump& pump() { return platform::EventPump::Instance(); }
    static std::string Down(int key) { return "down " + std::to_string(key); }
    static std::string Up(int key) { return "up " + std::to_string(key); }
    static std::string Char(int character) { return "char " + std::to_string(character); }

    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};

using Events = std::vector<std::string>;

TEST_F(GamePadTest, ButtonsPressAndReleaseTheKeysTheyStandForAsTheKeyboardWould)
{
    struct Case {
        SDL_GameControllerButton button;
        int key;
        int character;  // typed on the press, 0 for none
    };
    const Case cases[] = {
        {SDL_CONTROLLER_BUTTON_A, vk::kSpace, ' '},
        {SDL_CONTROLLER_BUTTON_X, 'S', 's'},
        {SDL_CONTROLLER_BUTTON_B, 'S', 's'},
        {SDL_CONTROLLER_BUTTON_START, 'P', 'p'},
        {SDL_CONTROLLER_BUTTON_BACK, vk::kEscape, 0x1B},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, vk::kLeft, 0},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, vk::kUp, 0},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, vk::kRight, 0},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, vk::kDown, 0},
    };
    for (const Case& c : cases) {
        Events pressed = {Down(c.key)};
        if (c.character) {
            pressed.push_back(Char(c.character));
        }
        EXPECT_EQ(Button(c.button, true), pressed) << c.key;
        EXPECT_EQ(Button(c.button, false), Events{Up(c.key)}) << c.key;
    }
    EXPECT_EQ(pump().CharacterOfKey(vk::kSpace), ' ');
    EXPECT_TRUE(Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true).empty());
}

TEST_F(GamePadTest, DuringTextEntryTheSouthButtonIsEnterAndReleasesWhatItPressed)
{
    pump().Pads().SetTextEntry(true);
    EXPECT_EQ(Button(SDL_CONTROLLER_BUTTON_A, true), (Events{Down(vk::kReturn), Char('\r')}));
    pump().Pads().SetTextEntry(false);
    EXPECT_EQ(Button(SDL_CONTROLLER_BUTTON_A, false), Events{Up(vk::kReturn)});
    EXPECT_EQ(Button(SDL_CONTROLLER_BUTTON_A, true), (Events{Down(vk::kSpace), Char(' ')}));
}

TEST_F(GamePadTest, TheStickRunsInEightDirectionsWithKeyEdgesLikeHeldArrows)
{
    EXPECT_TRUE(Stick(-12000, 5000).empty()) << "inside the dead zone";
    EXPECT_EQ(Stick(-20000, 0), Events{Down(vk::kLeft)});
    EXPECT_TRUE(Stick(-32768, 3000).empty()) << "still left: no new edge";
    EXPECT_EQ(Stick(-25000, -25000), Events{Down(vk::kUp)});
    EXPECT_EQ(Stick(0, -30000), Events{Up(vk::kLeft)});
    // The axes arrive one by one: x first turns up into up-right, then y into down-right.
    EXPECT_EQ(Stick(25000, 25000), (Events{Down(vk::kRight), Up(vk::kUp), Down(vk::kDown)}));
    EXPECT_EQ(Stick(0, 0), (Events{Up(vk::kRight), Up(vk::kDown)}));
}

TEST_F(GamePadTest, DpadAndStickHoldingTheSameArrowPressItOnce)
{
    EXPECT_EQ(Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true), Events{Down(vk::kRight)});
    EXPECT_TRUE(Stick(30000, 0).empty());
    EXPECT_TRUE(Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false).empty());
    EXPECT_EQ(Stick(0, 0), Events{Up(vk::kRight)});
}

TEST_F(GamePadTest, UnpluggingLetsGoOfHeldKeysAndAPadCanComeBack)
{
    EXPECT_EQ(pump().Pads().Count(), 1);
    pump().Pads().Rumble(0.5f, 100);  // the virtual pad has no motor
    Button(SDL_CONTROLLER_BUTTON_A, true);
    Stick(-30000, 0);
    Unplug();
    Events released = Drain();
    std::sort(released.begin(), released.end());
    EXPECT_EQ(released, (Events{Up(vk::kSpace), Up(vk::kLeft)}));
    EXPECT_EQ(pump().Pads().Count(), 0);

    Plug();
    EXPECT_EQ(pump().Pads().Count(), 1);
    EXPECT_EQ(Button(SDL_CONTROLLER_BUTTON_START, true), (Events{Down('P'), Char('p')}));
}

TEST(GamePadStickTest, DirectionsRoundToTheNearestOfEight)
{
    struct Case {
        int x;
        int y;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {0, 0, {}},
        {13000, 0, {}},
        {9000, 9000, {}},
        {14000, 0, {vk::kRight}},
        {30000, -11000, {vk::kRight}},
        {30000, -14000, {vk::kRight, vk::kUp}},
        {-20000, 20000, {vk::kLeft, vk::kDown}},
        {-5000, 30000, {vk::kDown}},
        {-32768, -32768, {vk::kLeft, vk::kUp}},
        {-32768, 1000, {vk::kLeft}},
    };
    for (const Case& c : cases) {
        platform::GamePadStick stick;
        stick.SetX(c.x);
        stick.SetY(c.y);
        EXPECT_EQ(stick.HeldKeys(), c.keys) << c.x << "," << c.y;
    }
}

}  // namespace
