#include <cmath>
#include <numbers>

#include "sound/Biquad.h"
#include "sound/MusicPieces.h"

namespace music {

namespace {

using synth::Buffer;
constexpr int kRate = synth::kMusicRate;
constexpr double kLoopSeconds = 60.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Levels and filters follow their slow curves in steps this many samples apart.
constexpr int kRetune = 64;

// How hard the wind blows at time t: slow swells whose periods divide the loop.
double Gust(double t)
{
    const double cycle = kTwoPi * t / kLoopSeconds;
    return 0.55 + 0.25 * std::sin(cycle + 0.3) + 0.13 * std::sin(3.0 * cycle + 1.7) + 0.07 * std::sin(7.0 * cycle + 0.5);
}

// Wind in the trees for one ear: dark noise that brightens as the gust rises, with the
// leaves hissing on top. Filtered round the loop twice so the seam carries the same state.
Buffer Wind(SoundRandom& random, double offset)
{
    const Buffer noise = synth::WhiteNoise(random, synth::Frames(kRate, kLoopSeconds));
    Buffer wind(noise.size());
    Biquad body;
    Biquad leaves;
    for (int pass = 0; pass < 2; ++pass) {
        double gust = 0.0;
        for (size_t i = 0; i < noise.size(); ++i) {
            if (i % kRetune == 0) {
                gust = Gust(static_cast<double>(i) / kRate + offset);
                body.SetLowPass(kRate, 250.0 + 650.0 * gust, 0.9);
                leaves.SetBandPass(kRate, 2500.0 + 1500.0 * gust, 0.8);
            }
            const float dark = body.Process(noise[i]);
            const float hiss = leaves.Process(noise[i]);
            wind[i] = static_cast<float>(gust * dark * 0.9 + gust * gust * gust * hiss * 0.12);
        }
    }
    return wind;
}

// A slowly varying level made of whole cycles over the loop, between about 0 and 1.
double Murmur(double t, const double (&speeds)[4], const double (&phases)[4])
{
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        sum += std::sin(kTwoPi * speeds[i] * t / kLoopSeconds + phases[i]);
    }
    return 0.5 + sum / 8.0;
}

// Water over stones, far off: murmuring band noise and small bubbles.
Buffer Creek(SoundRandom& random)
{
    const Buffer noise = synth::WhiteNoise(random, synth::Frames(kRate, kLoopSeconds));
    Buffer water(noise.size());
    Biquad low;
    low.SetBandPass(kRate, 600.0, 0.7);
    Biquad high;
    high.SetBandPass(kRate, 1400.0, 1.0);
    static constexpr double kSpeedsLow[] = {37.0, 61.0, 113.0, 173.0};
    static constexpr double kPhasesLow[] = {0.2, 1.9, 3.1, 4.4};
    static constexpr double kSpeedsHigh[] = {53.0, 89.0, 149.0, 211.0};
    static constexpr double kPhasesHigh[] = {2.2, 0.7, 5.0, 1.3};
    for (int pass = 0; pass < 2; ++pass) {
        double lowLevel = 0.0;
        double highLevel = 0.0;
        for (size_t i = 0; i < noise.size(); ++i) {
            if (i % kRetune == 0) {
                const double t = static_cast<double>(i) / kRate;
                lowLevel = Murmur(t, kSpeedsLow, kPhasesLow);
                highLevel = Murmur(t, kSpeedsHigh, kPhasesHigh) * 0.6;
            }
            water[i] = static_cast<float>(low.Process(noise[i]) * lowLevel + high.Process(noise[i]) * highLevel);
        }
    }
    const int bubbles = static_cast<int>(kLoopSeconds * 5.0);
    for (int bubble = 0; bubble < bubbles; ++bubble) {
        const double hz = random.Between(350.0, 900.0);
        Buffer blip = synth::Tone(kRate, random.Between(0.015, 0.035), hz, hz * 1.6, synth::Wave::Sine);
        synth::StrikeEnvelope(blip, kRate, 0.002, 0.01);
        synth::MixLooped(water, blip, synth::Frames(kRate, random.Uniform() * kLoopSeconds),
                         static_cast<float>(random.Between(0.1, 0.35)));
    }
    Biquad distance;
    distance.SetLowPass(kRate, 2200.0, 0.7);
    distance.ProcessLoop(water);
    return water;
}

// A bird's note: a pitch path from startHz to endHz with a quick warble.
Buffer BirdNote(double startHz, double endHz, double seconds, double warble)
{
    Buffer note(static_cast<size_t>(synth::Frames(kRate, seconds)));
    double phase = 0.0;
    for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(note.size());
        const double hz = (startHz + (endHz - startHz) * t) * (1.0 + warble * std::sin(kTwoPi * 30.0 * t * seconds));
        phase = std::fmod(phase + hz / kRate, 1.0);
        note[i] = static_cast<float>(std::sin(kTwoPi * phase) * std::pow(std::sin(std::numbers::pi * t), 1.5));
    }
    return note;
}

void TitCall(StereoMix& mix, SoundRandom& random, double at, float gain, float pan)
{
    const int calls = 3 + static_cast<int>(random.Uniform() * 3.0);
    const double hz = random.Between(5000.0, 6200.0);
    for (int call = 0; call < calls; ++call) {
        mix.Add(BirdNote(hz, hz * 0.8, 0.045, 0.0), at + call * 0.12, gain, pan);
    }
}

void BlackbirdPhrase(StereoMix& mix, SoundRandom& random, double at, float gain, float pan)
{
    const int notes = 5 + static_cast<int>(random.Uniform() * 4.0);
    double time = at;
    for (int note = 0; note < notes; ++note) {
        const double start = random.Between(1600.0, 2900.0);
        const double length = random.Between(0.08, 0.16);
        mix.Add(BirdNote(start, start * random.Between(0.8, 1.25), length, 0.02), time, gain, pan);
        time += length + random.Between(0.02, 0.08);
    }
}

void Cuckoo(StereoMix& mix, double at, float gain, float pan)
{
    for (int call = 0; call < 2; ++call) {
        const double start = at + call * 0.75;
        mix.Add(BirdNote(690.0, 670.0, 0.22, 0.0), start, gain, pan);
        mix.Add(BirdNote(560.0, 545.0, 0.3, 0.0), start + 0.32, gain, pan);
    }
}

void Birds(StereoMix& mix, SoundRandom& random)
{
    double at = 0.5;
    while (at < kLoopSeconds) {
        const float pan = random.Bipolar() * 0.8f;
        const float gain = static_cast<float>(random.Between(0.05, 0.16));
        const double pick = random.Uniform();
        if (pick < 0.45) {
            TitCall(mix, random, at, gain, pan);
        } else {
            BlackbirdPhrase(mix, random, at, gain, pan);
        }
        at += random.Between(1.5, 4.0);
    }
    for (double call : {12.0, 41.0}) {
        Cuckoo(mix, call, 0.1f, -0.6f);
    }
}

}  // namespace

StereoMix ForestAmbience()
{
    StereoMix mix(kRate, kLoopSeconds);
    SoundRandom random(0x57616C64);
    synth::MixInto(mix.Left(), Wind(random, 0.0), 0, 0.5f);
    synth::MixInto(mix.Right(), Wind(random, 2.5), 0, 0.5f);
    const Buffer creek = Creek(random);
    mix.Add(creek, 0.0, 0.25f, -0.55f);
    Birds(mix, random);
    mix.AddHall(0.5, 0.12f);
    return mix;
}

}  // namespace music
