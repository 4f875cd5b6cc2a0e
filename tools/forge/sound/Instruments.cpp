#include "sound/Instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sound/Biquad.h"

namespace instruments {

namespace {

using synth::Buffer;
constexpr int kRate = synth::kMusicRate;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

Buffer Lute(double hz, double seconds, float brightness, SoundRandom& random)
{
    Buffer string = synth::Pluck(kRate, hz, seconds, random, brightness, 0.55f);
    Biquad body;
    body.SetPeak(kRate, 220.0, 1.2, 5.0);
    Biquad rose;
    rose.SetPeak(kRate, 2400.0, 1.5, 3.0);
    Biquad soft;
    soft.SetLowPass(kRate, 5000.0, 0.7);
    for (float& sample : string) {
        sample = soft.Process(rose.Process(body.Process(sample)));
    }
    return string;
}

Buffer Recorder(double hz, double seconds, SoundRandom& random)
{
    Buffer note(static_cast<size_t>(synth::Frames(kRate, seconds)));
    double phase = 0.0;
    const double vibratoStart = std::min(0.35, seconds * 0.5);
    for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double depth = t > vibratoStart ? std::min(1.0, (t - vibratoStart) / 0.3) * 0.12 : 0.0;
        const double bend = std::pow(2.0, depth * std::sin(kTwoPi * 5.2 * t) / 12.0);
        phase = std::fmod(phase + hz * bend / kRate, 1.0);
        const double angle = kTwoPi * phase;
        note[i] = static_cast<float>(std::sin(angle) + 0.12 * std::sin(2.0 * angle) + 0.06 * std::sin(3.0 * angle));
    }
    Buffer breath = synth::WhiteNoise(random, static_cast<int>(note.size()));
    Biquad airy;
    airy.SetBandPass(kRate, hz * 2.0, 2.0);
    airy.ProcessAll(breath);
    Buffer chiff = synth::WhiteNoise(random, synth::Frames(kRate, 0.04));
    Biquad edge;
    edge.SetBandPass(kRate, hz * 4.0, 1.5);
    edge.ProcessAll(chiff);
    synth::StrikeEnvelope(chiff, kRate, 0.002, 0.012);
    synth::MixInto(note, breath, 0, 0.08f);
    synth::MixInto(note, chiff, 0, 0.4f);
    synth::NoteEnvelope(note, kRate, 0.035, 0.08, 0.85f, std::min(0.06, seconds / 3.0));
    return note;
}

Buffer FrameDrum(bool low, SoundRandom& random)
{
    const double seconds = low ? 0.45 : 0.15;
    Buffer drum = low ? synth::Tone(kRate, seconds, 110.0, 70.0, synth::Wave::Sine)
                      : synth::StruckBody(kRate, seconds, {{380.0, 0.5f, 0.04}, {610.0, 0.3f, 0.03}});
    synth::StrikeEnvelope(drum, kRate, 0.002, low ? 0.12 : 0.04);
    Buffer skin = synth::WhiteNoise(random, synth::Frames(kRate, 0.06));
    Biquad band;
    band.SetBandPass(kRate, low ? 500.0 : 2200.0, 0.9);
    band.ProcessAll(skin);
    synth::StrikeEnvelope(skin, kRate, 0.001, low ? 0.012 : 0.01);
    synth::MixInto(drum, skin, 0, low ? 0.5f : 0.9f);
    synth::FadeOut(drum, kRate, 0.03);
    return drum;
}

Buffer Jingles(SoundRandom& random)
{
    Buffer shake;
    for (int jingle = 0; jingle < 4; ++jingle) {
        const double hz = random.Between(5200.0, 7800.0);
        Buffer ring = synth::FmBell(kRate, hz, 0.12, 1.37, 2.0, 0.05);
        synth::MixInto(shake, ring, synth::Frames(kRate, 0.006 * jingle), 0.25f);
    }
    Buffer rattle = synth::WhiteNoise(random, synth::Frames(kRate, 0.08));
    Biquad high;
    high.SetHighPass(kRate, 6000.0, 0.7);
    high.ProcessAll(rattle);
    synth::StrikeEnvelope(rattle, kRate, 0.002, 0.02);
    synth::MixInto(shake, rattle, 0, 0.3f);
    return shake;
}

Buffer Drone(double hz, double seconds)
{
    Buffer reed = synth::VibratoTone(kRate, seconds, hz, 0.03, 4.0, synth::Wave::Saw);
    Biquad nasal;
    nasal.SetLowPass(kRate, 1300.0, 0.8);
    Biquad buzz;
    buzz.SetPeak(kRate, 900.0, 2.0, 4.0);
    for (float& sample : reed) {
        sample = buzz.Process(nasal.Process(sample));
    }
    synth::NoteEnvelope(reed, kRate, 0.4, 0.1, 1.0f, 0.6);
    return reed;
}

Buffer Bell(double hz, double seconds)
{
    return synth::FmBell(kRate, hz, seconds, 3.5, 1.2, seconds * 0.35);
}

}  // namespace instruments
