#include <gtest/gtest.h>

#include "platform/Keyboard.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace {

// Key names resolve through the system keyboard, which comes up with the video system.
class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(video.InitVideo("test")); }
    platform::Window video;
};

TEST_F(KeyboardTest, KeyNamesGiveTheirVirtualKeysWithLettersInUpperCase)
{
    EXPECT_EQ(platform::VirtualKeyFromKeyName("A"), 0x41);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("s"), 0x53);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Z"), 0x5A);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("0"), 0x30);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("9"), 0x39);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Left"), 37);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Up"), 38);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Right"), 39);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Down"), 40);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Space"), 32);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Escape"), 27);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Return"), 13);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Backspace"), 8);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Tab"), 9);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Delete"), vk::kDelete);
    // Both modifier keys share one code.
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Left Ctrl"), 17);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Right Ctrl"), 17);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Left Shift"), 16);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Right Shift"), 16);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Left Alt"), 18);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("F1"), 0x70);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("F12"), 0x7B);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Keypad 0"), vk::kNumpad0);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Keypad 7"), vk::kNumpad0 + 7);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Keypad Enter"), vk::kReturn);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Keypad +"), vk::kAdd);
}

TEST_F(KeyboardTest, GermanLayoutKeysGetTheirPunctuationCodes)
{
    EXPECT_EQ(platform::VirtualKeyFromSdlKeycode(0xE4), vk::kOem7);  // ä
    EXPECT_EQ(platform::VirtualKeyFromSdlKeycode(0xF6), vk::kOem3);  // ö
    EXPECT_EQ(platform::VirtualKeyFromSdlKeycode(0xFC), vk::kOem1);  // ü
    EXPECT_EQ(platform::VirtualKeyFromSdlKeycode(0xDF), vk::kOem4);  // ß
    EXPECT_EQ(platform::VirtualKeyFromKeyName("-"), vk::kOemMinus);
    EXPECT_EQ(platform::VirtualKeyFromKeyName(","), vk::kOemComma);
}

TEST_F(KeyboardTest, KeysWithoutACodeAreZeroAndNoneIsHeldWithoutInput)
{
    EXPECT_EQ(platform::VirtualKeyFromKeyName("Volume Up"), 0);
    EXPECT_EQ(platform::VirtualKeyFromKeyName("no such key"), 0);
    EXPECT_EQ(platform::VirtualKeyFromSdlKeycode(0), 0);
    // No key is held without input.
    EXPECT_FALSE(platform::IsKeyHeld(vk::kEscape));
    EXPECT_FALSE(platform::IsKeyHeld(vk::kSpace));
}

}  // namespace
