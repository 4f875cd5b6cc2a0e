#pragma once

// What the game asks of the pads without knowing the system that drives them. Both do
// nothing before the event pump runs or when no pad is plugged in.
namespace platform {

// A short shake of every pad that has a motor; strength from 0 to 1.
void RumbleGamePads(float strength, int milliseconds);
// While on, the pads' south button gives Enter (ending a typed name) instead of Space.
void SetGamePadTextEntry(bool on);

}  // namespace platform
