#pragma once

#include <cstdint>

// Translation of the platform's keys into Windows virtual-key codes (VirtualKeys.h).
namespace platform {

// The virtual-key code of an SDL keycode; 0 for a key the game has no code for.
int VirtualKeyFromSdlKeycode(int32_t keycode);

// The virtual-key code of a key as SDL names it ("Left", "Escape", "A"); 0 if unknown.
int VirtualKeyFromKeyName(const char* name);

// Whether a key is held right now; the video player polls Escape and Space this way.
bool IsKeyHeld(int virtualKey);

}  // namespace platform
