#include <gtest/gtest.h>

#include "app/KeyboardInput.h"
#include "platform/VirtualKeys.h"

namespace {

class KeyboardInputTest : public ::testing::Test {
protected:
    void SetUp() override { KeyboardInput::Release(); }
    KeyboardInput& Keys() { return KeyboardInput::Instance(); }
};

TEST_F(KeyboardInputTest, HeldKeyIsDownAndReleasedOnceAndAKeyTappedWithinAFrameNever)
{
    Keys().KeyDown(vk::kLeft);
    Keys().Update(0.01f);
    Keys().KeyDown(vk::kLeft);  // auto-repeat
    Keys().Update(0.01f);
    EXPECT_TRUE(Keys().IsDown(vk::kLeft));
    EXPECT_EQ(Keys().LastReleasedKey(), 0);
    Keys().KeyUp(vk::kLeft);
    Keys().Update(0.01f);
    EXPECT_EQ(Keys().LastReleasedKey(), vk::kLeft);
    Keys().Update(0.01f);
    EXPECT_EQ(Keys().LastReleasedKey(), 0);
    // A press and release within one frame is never seen.
    Keys().KeyDown('Q');
    Keys().KeyUp('Q');
    Keys().Update(0.01f);
    EXPECT_FALSE(Keys().IsDown('Q'));
    EXPECT_EQ(Keys().LastReleasedKey(), 0);
    EXPECT_FALSE(Keys().WasReleased('Q'));
}

TEST_F(KeyboardInputTest, LastReleasedIsTheHighestCode)
{
    Keys().KeyDown(vk::kShift);
    Keys().KeyDown('A');
    Keys().Update(0.01f);
    Keys().KeyUp('A');
    Keys().KeyUp(vk::kShift);
    Keys().Update(0.01f);
    EXPECT_EQ(Keys().LastReleasedKey(), 0x41);
    EXPECT_TRUE(Keys().WasReleased(vk::kShift));
}

TEST_F(KeyboardInputTest, ResetForgetsEveryKey)
{
    Keys().KeyDown(vk::kUp);
    Keys().Update(0.01f);
    Keys().Reset();
    EXPECT_FALSE(Keys().IsDown(vk::kUp));
    Keys().Update(0.01f);
    EXPECT_EQ(Keys().LastReleasedKey(), 0);
    Keys().KeyDown(vk::kUp);
    EXPECT_TRUE(Keys().IsDown(vk::kUp));
    EXPECT_EQ(Keys().LastEventKey(), vk::kUp);
}

}  // namespace
