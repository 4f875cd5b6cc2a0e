#pragma once

#include <vector>

#include "figures/AnimationClip.h"

// The figures' state animations as key poses in time. Dwarf clips come in state order "run",
// "schlaf", "stop", "start", "schlag", "getroffen", "taumeln", "umfallen", "schach", "brett",
// "doppel", "idle"; the knights have "run", "stop", "start", "schlag", "umfallen".
namespace figure_animations {

std::vector<AnimationClip> Dwarf();
std::vector<AnimationClip> Knight();

FigurePose Standing();
// One moment of the walk cycle, phase 0..1; legLength in model units keeps the stance foot
// on the ground.
FigurePose Walking(float phase, float legLength);

}  // namespace figure_animations
