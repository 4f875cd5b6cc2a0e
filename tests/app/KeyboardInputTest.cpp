#include <gtest/gtest.h>

#include "app/KeyboardInput.h"
#include "platform/VirtualKeys.h"

namespace {

TEST(KeyboardInputTest, HeldKeysAreDownAndReleasedOnceTheHighestCodeLastAndResetForgetsThem)
{
    KeyboardInput::Release();
    KeyboardInput& keys = KeyboardInput::Instance();
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

    // A press and release within one frame is never seen.
    keys.KeyDown('Q');
    keys.KeyUp('Q');
    keys.Update(0.01f);
    EXPECT_FALSE(keys.IsDown('Q'));
    EXPECT_EQ(keys.LastReleasedKey(), 0);
    EXPECT_FALSE(keys.WasReleased('Q'));

    keys.KeyDown(vk::kShift);
    keys.KeyDown('A');
    keys.Update(0.01f);
    keys.KeyUp('A');
    keys.KeyUp(vk::kShift);
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), 'A');
    EXPECT_TRUE(keys.WasReleased(vk::kShift));

    keys.KeyDown(vk::kUp);
    keys.Update(0.01f);
    keys.Reset();
    EXPECT_FALSE(keys.IsDown(vk::kUp));
    keys.Update(0.01f);
    EXPECT_EQ(keys.LastReleasedKey(), 0);
    KeyboardInput::Release();
}

}  // namespace
