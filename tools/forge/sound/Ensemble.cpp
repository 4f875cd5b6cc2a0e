#include "sound/Ensemble.h"

#include "sound/Instruments.h"
#include "sound/Score.h"

namespace {

constexpr float kHumanise = 0.006f;

}  // namespace

Ensemble::Ensemble(StereoMix& target, double beat, uint64_t seed) : mix(target), beatSeconds(beat), random(seed) {}

void Ensemble::Recorder(std::string_view tune, double startBeat, float gain, float pan, int transpose)
{
    for (const score::Note& note : score::Parse(tune, startBeat)) {
        const double seconds = Seconds(note.beats) * 0.9;
        mix.Add(instruments::Recorder(score::Hz(note.midi + transpose), seconds, random), Seconds(note.beat), gain,
                pan);
    }
}

void Ensemble::Lute(std::string_view tune, double startBeat, float gain, float pan, int transpose)
{
    for (const score::Note& note : score::Parse(tune, startBeat)) {
        Pluck(note.midi + transpose, note.beat, note.beats, gain, pan);
    }
}

void Ensemble::Bells(std::string_view tune, double startBeat, float gain, float pan, int transpose)
{
    for (const score::Note& note : score::Parse(tune, startBeat)) {
        mix.Add(instruments::Bell(score::Hz(note.midi + transpose), 1.2), Seconds(note.beat), gain, pan);
    }
}

void Ensemble::Pluck(int midi, double beat, double beats, float gain, float pan)
{
    const double ring = Seconds(beats) + 0.6;
    const double late = random.Uniform() * kHumanise;
    mix.Add(instruments::Lute(score::Hz(midi), ring, 0.55f, random), Seconds(beat) + late, gain, pan);
}

void Ensemble::Drum(bool low, double beat, float gain)
{
    mix.Add(instruments::FrameDrum(low, random), Seconds(beat), gain, low ? 0.0f : 0.15f);
}

void Ensemble::Jingles(double beat, float gain)
{
    mix.Add(instruments::Jingles(random), Seconds(beat) + random.Uniform() * kHumanise, gain, 0.55f);
}

void Ensemble::Drone(int midi, double startBeat, double beats, float gain, float pan)
{
    mix.Add(instruments::Drone(score::Hz(midi), Seconds(beats)), Seconds(startBeat), gain, pan);
}
