#pragma once

#include <string_view>

#include "sound/SoundRandom.h"
#include "sound/StereoMix.h"

// The band that plays a piece into a StereoMix: beats are counted from the start of the
// loop, tunes are score texts (see Score.h), each player has a place on the stage (pan).
class Ensemble {
public:
    Ensemble(StereoMix& mix, double beatSeconds, uint64_t seed);

    double Seconds(double beat) const { return beat * beatSeconds; }

    // Notes are played slightly detached, as a breath between them.
    void Recorder(std::string_view tune, double startBeat, float gain, float pan, int transpose = 0);
    void Lute(std::string_view tune, double startBeat, float gain, float pan, int transpose = 0);
    void Bells(std::string_view tune, double startBeat, float gain, float pan, int transpose = 0);
    // One plucked note of the given length in beats.
    void Pluck(int midi, double beat, double beats, float gain, float pan);
    void Drum(bool low, double beat, float gain);
    void Jingles(double beat, float gain);
    void Drone(int midi, double startBeat, double beats, float gain, float pan);

private:
    StereoMix& mix;
    double beatSeconds;
    SoundRandom random;
};
