#pragma once

#include <string>
#include <vector>

#include "render/Animation.h"

class GameModel;

// What the hunter, the jester and the queen share: the figures of the round they act on, how
// their animations are loaded and read, their sounds, and their random waits.
namespace character {

// A wait drawn from a pair: least + U x spread.
struct TimeRange {
    float least = 0.0f;
    float spread = 0.0f;
};

float RandomTime(const TimeRange& range);
// The sprite in the mode; a speed of 0 keeps the animation's default frame rate.
void Load(Animation& animation, const std::string& label, int mode, float framesPerSecond = 0.0f);
// A missing sprite never plays, so it counts as played through rather than freezing the character.
bool PlayedThrough(const Animation& animation);
// The position, 0 to 1; 1 for a missing sprite.
float PlayedPosition(const Animation& animation);
void PlaySound(const char* eventName);
// The figures taking part in the main level's round; none without a level.
const std::vector<GameModel*>& RoundFigures();

}  // namespace character
