#pragma once

#include "sound/StereoMix.h"

// The three long pieces, each a seamless loop at synth::kMusicRate.
namespace music {

// The title music: a friendly waltz in G for lute, recorder and bells (90 s).
StereoMix TitleWaltz();
// The level music: a lively dance in D dorian for lute, recorder, frame drum and
// tambourine over a drone (120 s).
StereoMix MoorDance();
// The forest around the board: wind in the trees, birds, a creek in the distance (60 s).
StereoMix ForestAmbience();

}  // namespace music
