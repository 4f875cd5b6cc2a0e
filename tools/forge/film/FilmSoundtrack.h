#pragma once

#include "sound/StereoMix.h"
#include "sound/Synth.h"

// A film's sound, put together from the forge's own music and effects: mono at the film's rate,
// exactly as long as the pictures, levelled like the game's music, held under full scale and
// faded in and out with the picture.
class FilmSoundtrack {
public:
    explicit FilmSoundtrack(double seconds);

    // The stretch from..to (seconds) of a piece, folded to mono at the film's rate and placed at
    // `at`, levelled to the given RMS; it fades over fadeSeconds at both ends so no cut clicks.
    void AddMusic(const StereoMix& piece, double from, double to, double at, float rms, double fadeSeconds);
    // An effect rendered at the effects' rate, its loudest moment levelled to rms.
    void AddEffect(synth::Buffer sound, double at, float rms);
    // The finished track.
    synth::Buffer Master(double fadeInSeconds, double fadeOutSeconds) const;

private:
    void Place(const synth::Buffer& sound, double at);

    synth::Buffer track;
};
