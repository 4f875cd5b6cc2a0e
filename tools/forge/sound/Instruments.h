#pragma once

#include "sound/SoundRandom.h"
#include "sound/Synth.h"

// The players of the music, rendered mono at synth::kMusicRate.
namespace instruments {

// A plucked gut string with a small wooden body.
synth::Buffer Lute(double hz, double seconds, float brightness, SoundRandom& random);
// A breathy wooden flute: soft chiff, mostly fundamental, vibrato that sets in late.
synth::Buffer Recorder(double hz, double seconds, SoundRandom& random);
// A frame drum: the low "dum" in the middle of the skin or the high "tek" at its rim.
synth::Buffer FrameDrum(bool low, SoundRandom& random);
// One shake of a tambourine's jingles.
synth::Buffer Jingles(SoundRandom& random);
// A reedy held note, the drone of a bagpipe or hurdy-gurdy.
synth::Buffer Drone(double hz, double seconds);
// A small bright bell (glockenspiel).
synth::Buffer Bell(double hz, double seconds);

}  // namespace instruments
