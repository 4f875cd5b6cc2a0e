#include <gtest/gtest.h>

#include "app/KeyboardInput.h"
#include "platform/VirtualKeys.h"

namespace {

class KeyboardInputTest : public ::testing::Test {
protected:
    void SetUp() override { KeyboardInput::Release(); }
    KeyboardInput& keys = KeyboardInput::Instance();
};

TEST_F(KeyboardInputTest, HeldKeyIsDownAndReleasedOnce)
{
    keys.KeyDown(vk::kLeft);
    keys.Update(0.01f);
    keys.KeyDown(vk::kLeft);  // auto-repeat
    keys.Update(0.01f);
    EXPECT_TRUE(keys.IsDown(vk::kLeft));
    EXPECT_EQ(keys.LastReleasedKey(), 0);
    keys.KeyUp(vk::kLeft);
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), vk::kLeft);
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), 0);
}

TEST_F(KeyboardInputTest, PressAndReleaseWithinOneFrameIsNeverSeen)
{
    keys.KeyDown('Q');
    keys.KeyUp('Q');
    keys.Update(0.01f);
    EXPECT_FALSE(keys.IsDown('Q'));
    EXPECT_EQ(keys.LastReleasedKey(), 0);
    EXPECT_FALSE(keys.WasReleased('Q'));
}

TEST_F(KeyboardInputTest, LastReleasedIsTheHighestCode)
{
    keys.KeyDown(vk::kShift);
    keys.KeyDown('A');
    keys.Update(0.01f);
    keys.KeyUp('A');
    keys.KeyUp(vk::kShift);
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), 0x41);
    EXPECT_TRUE(keys.WasReleased(vk::kShift));
}

TEST_F(KeyboardInputTest, ResetForgetsEveryKey)
{
    keys.KeyDown(vk::kUp);
    keys.Update(0.01f);
    keys.Reset();
    EXPECT_FALSE(keys.IsDown(vk::kUp));
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), 0);
    keys.KeyDown(vk::kUp);
    EXPECT_TRUE(keys.IsDown(vk::kUp));
    EXPECT_EQ(keys.LastEventKey(), vk::kUp);
}

}  // namespace
