#include <gtest/gtest.h>

#include <vector>

#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/SyntheticInput.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace {

using platform::Event;
using platform::EventType;

class EventPumpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(video.InitVideo("test"));
        platform::EventPump::Release();
        Drain();
    }
    void TearDown() override { platform::EventPump::Release(); }

    std::vector<Event> Drain()
    {
        std::vector<Event> events;
        Event event;
        while (pump().Poll(event)) {
            events.push_back(event);
        }
        return events;
    }

    static platform::EventPump& pump() { return platform::EventPump::Instance(); }

    platform::Window video;
};

TEST_F(EventPumpTest, KeysArriveAsVirtualKeysWithAutoRepeatAsRepeatedKeyDown)
{
    platform::PushKey("Left", true);
    platform::PushKey("Left", true, true);
    platform::PushKey("Left", false);
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, EventType::KeyDown);
    EXPECT_EQ(events[0].key, vk::kLeft);
    EXPECT_FALSE(events[0].repeat);
    EXPECT_EQ(events[1].type, EventType::KeyDown);
    EXPECT_TRUE(events[1].repeat);
    EXPECT_EQ(events[2].type, EventType::KeyUp);
    EXPECT_EQ(events[2].key, vk::kLeft);
}

TEST_F(EventPumpTest, EditingKeysAlsoTypeTheirControlCharacter)
{
    platform::PushKey("Backspace", true);
    platform::PushKey("Return", true);
    platform::PushKey("Escape", true);
    platform::PushKey("Escape", false);
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 7u);
    const int expected[] = {8, 13, 27};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(events[2 * i].type, EventType::KeyDown);
        EXPECT_EQ(events[2 * i + 1].type, EventType::Char);
        EXPECT_EQ(events[2 * i + 1].character, expected[i]);
    }
    EXPECT_EQ(events[6].type, EventType::KeyUp);
}

TEST_F(EventPumpTest, TypedTextBecomesWindows1252Characters)
{
    platform::PushText("a\xC3\xA4\xC3\x9F\xE2\x82\xAC");  // a ä ß €
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].character, 'a');
    EXPECT_EQ(events[1].character, 0xE4);
    EXPECT_EQ(events[2].character, 0xDF);
    EXPECT_EQ(events[3].character, 0x80);
    for (const Event& event : events) {
        EXPECT_EQ(event.type, EventType::Char);
    }
}

TEST_F(EventPumpTest, OneSystemEventIsTakenPerPoll)
{
    platform::PushText("xy");
    platform::PushKey("A", true);
    Event event;
    ASSERT_TRUE(pump().Poll(event));
    EXPECT_EQ(event.character, 'x');
    // The second character waits in our queue; the key is still in the system's.
    ASSERT_TRUE(pump().Poll(event));
    EXPECT_EQ(event.character, 'y');
    ASSERT_TRUE(pump().Poll(event));
    EXPECT_EQ(event.key, 'A');
}

TEST_F(EventPumpTest, MouseButtonsAndTheSecondClickOfASeries)
{
    platform::PushMouseMotion(400, 300);
    platform::PushMouseButton(1, true, 1, 10, 20);
    platform::PushMouseButton(1, false, 1, 10, 20);
    platform::PushMouseButton(1, true, 2, 10, 20);
    platform::PushMouseButton(3, true, 1, 30, 40);
    platform::PushMouseButton(3, false, 1, 30, 40);
    platform::PushMouseButton(2, true, 1, 30, 40);  // middle: no message for it
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].type, EventType::MouseMove);
    EXPECT_EQ(events[0].x, 400);
    EXPECT_EQ(events[0].y, 300);
    EXPECT_EQ(events[1].type, EventType::LeftDown);
    EXPECT_EQ(events[2].type, EventType::LeftUp);
    EXPECT_EQ(events[3].type, EventType::LeftDoubleClick);
    EXPECT_EQ(events[4].type, EventType::RightDown);
    EXPECT_EQ(events[4].x, 30);
    EXPECT_EQ(events[4].y, 40);
    EXPECT_EQ(events[5].type, EventType::RightUp);
}

TEST_F(EventPumpTest, PaintComesOnceAndOnlyWhenNothingElseWaitsAndClosingTheWindowDestroysIt)
{
    pump().Invalidate();
    pump().Invalidate();
    platform::PushKey("A", true);
    pump().PostQuit(-1);
    platform::PushWindowClose();
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EventType::Quit);
    EXPECT_EQ(events[0].exitCode, -1);
    EXPECT_EQ(events[1].type, EventType::KeyDown);
    EXPECT_EQ(events[2].type, EventType::Destroy);
    EXPECT_EQ(events[3].type, EventType::Paint);
}

TEST_F(EventPumpTest, WaitReturnsWhatIsQueuedWithoutBlocking)
{
    pump().PostQuit(3);
    Event event;
    ASSERT_TRUE(pump().Wait(event));
    EXPECT_EQ(event.type, EventType::Quit);
    EXPECT_EQ(event.exitCode, 3);
    pump().Invalidate();
    ASSERT_TRUE(pump().Wait(event));
    EXPECT_EQ(event.type, EventType::Paint);
    platform::PushKey("B", false);
    ASSERT_TRUE(pump().Wait(event));
    EXPECT_EQ(event.type, EventType::KeyUp);
    EXPECT_FALSE(pump().Poll(event));
}

TEST_F(EventPumpTest, AKeyRemembersTheCharacterItTypedLast)
{
    platform::PushKey("A", true);
    platform::PushText("A");
    platform::PushKey("A", false);
    platform::PushKey("'", true);
    platform::PushText("\xC3\xA4");  // a German layout types ä on this key
    platform::PushKey("Return", true);
    Drain();
    EXPECT_EQ(pump().CharacterOfKey('A'), 'A');
    EXPECT_EQ(pump().CharacterOfKey(vk::kOem7), 0xE4);
    EXPECT_EQ(pump().CharacterOfKey(vk::kReturn), 13);
    EXPECT_EQ(pump().CharacterOfKey(vk::kLeft), 0);

    platform::PushKey("A", true);
    platform::PushText("a");
    Drain();
    EXPECT_EQ(pump().CharacterOfKey('A'), 'a');
}

TEST_F(EventPumpTest, TextThatNoTypingKeyPrecededIsNotPinnedOnAKey)
{
    platform::PushKey("X", true);
    platform::PushKey("Left", true);
    platform::PushText("x");
    platform::PushText("y");
    Drain();
    EXPECT_EQ(pump().CharacterOfKey(vk::kLeft), 0);
    EXPECT_EQ(pump().CharacterOfKey('X'), 0);
    EXPECT_EQ(pump().CharacterOfKey('Y'), 0);
}

}  // namespace
