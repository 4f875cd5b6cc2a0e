#pragma once

#include <string>

// Labels of item pictures that only the settings file names (the game has no default for them).
inline constexpr const char* kBombAnimationLabel = "bomb";
inline constexpr const char* kAntlerSpriteLabel = "geweih";

// The number of computer dwarfs ("DEBUG:nDwarfs"): two rivals, three rounds.
inline constexpr int kComputerDwarfs = 2;

// "data\shared\settings\settings.txt": every object the game looks up, tuned for play.
std::string SettingsFileText();
