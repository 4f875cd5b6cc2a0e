#include <algorithm>
#include <cmath>

#include "sound/Biquad.h"
#include "sound/EffectRecipes.h"
#include "sound/Reverb.h"

namespace recipes {

namespace {

using synth::Buffer;
constexpr int kRate = synth::kEffectRate;
constexpr double kPi = 3.14159265358979;

int At(double seconds)
{
    return synth::Frames(kRate, seconds);
}

// A smooth swell over the whole buffer, zero at both ends.
void Swell(Buffer& sound, double power)
{
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(sound.size());
        sound[i] *= static_cast<float>(std::pow(std::sin(kPi * t), power));
    }
}

// The rattling soft palate: noise chopped into pulses at the flutter rate, coloured dark.
Buffer SnoreInhale(SoundRandom& random, double seconds, double flutterHz, double throatHz)
{
    Buffer rattle = synth::WhiteNoise(random, At(seconds));
    for (size_t i = 0; i < rattle.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pulse = std::pow(0.5 + 0.5 * std::sin(2.0 * kPi * flutterHz * t), 6.0);
        rattle[i] *= static_cast<float>(0.15 + pulse);
    }
    Biquad dark;
    dark.SetLowPass(kRate, 800.0, 0.8);
    Biquad throat;
    throat.SetPeak(kRate, throatHz, 2.0, 9.0);
    for (float& sample : rattle) {
        sample = throat.Process(dark.Process(sample));
    }
    Buffer voice = synth::Tone(kRate, seconds, flutterHz * 3.0, flutterHz * 2.6, synth::Wave::Saw);
    Biquad hum;
    hum.SetLowPass(kRate, 400.0, 0.7);
    hum.ProcessAll(voice);
    synth::MixInto(rattle, voice, 0, 0.25f);
    Swell(rattle, 1.5);
    return rattle;
}

Buffer Puff(SoundRandom& random, double seconds)
{
    Buffer breath = synth::WhiteNoise(random, At(seconds));
    Biquad band;
    band.SetBandPass(kRate, 1100.0, 1.2);
    band.ProcessAll(breath);
    for (size_t i = 0; i < breath.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(breath.size());
        breath[i] *= static_cast<float>(std::sin(kPi * t) * std::exp(-2.0 * t));
    }
    return breath;
}

Buffer Whistle(double startHz, double endHz, double seconds)
{
    Buffer whistle = synth::Tone(kRate, seconds, startHz, endHz, synth::Wave::Sine);
    Swell(whistle, 2.0);
    return whistle;
}

// A vowel sung through three formant bands; pitch and vowel move along the sound.
struct VowelPoint {
    double time;
    double pitchHz;
    double formants[3];
};

Buffer Vowel(SoundRandom& random, double seconds, const std::vector<VowelPoint>& path)
{
    Buffer out(static_cast<size_t>(At(seconds)));
    Biquad bands[3];
    static constexpr float kBandGains[] = {1.0f, 0.6f, 0.25f};
    double phase = 0.0;
    size_t segment = 0;
    constexpr size_t kRetune = 32;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        while (segment + 2 < path.size() && t > path[segment + 1].time) {
            ++segment;
        }
        const VowelPoint& from = path[segment];
        const VowelPoint& to = path[segment + 1];
        const double mix = std::clamp((t - from.time) / (to.time - from.time), 0.0, 1.0);
        const double pitch = from.pitchHz + (to.pitchHz - from.pitchHz) * mix;
        if (i % kRetune == 0) {
            for (int b = 0; b < 3; ++b) {
                bands[b].SetBandPass(kRate, from.formants[b] + (to.formants[b] - from.formants[b]) * mix, 6.0);
            }
        }
        phase = std::fmod(phase + pitch / kRate, 1.0);
        const float source = synth::WaveAt(synth::Wave::Saw, phase, pitch / kRate) + 0.35f * random.Bipolar();
        float voiced = 0.0f;
        for (int b = 0; b < 3; ++b) {
            voiced += kBandGains[b] * bands[b].Process(source);
        }
        out[i] = voiced;
    }
    return out;
}

Buffer Grains(SoundRandom& random, double seconds, int count, double lowHz, double highHz)
{
    Buffer leaves(static_cast<size_t>(At(seconds)), 0.0f);
    for (int grain = 0; grain < count; ++grain) {
        const double centre = seconds * (0.5 + 0.5 * (random.Uniform() + random.Uniform() - 1.0));
        Buffer rustle = synth::WhiteNoise(random, At(random.Between(0.006, 0.025)));
        Biquad band;
        band.SetBandPass(kRate, random.Between(lowHz, highHz), 1.5);
        band.ProcessAll(rustle);
        Swell(rustle, 1.0);
        synth::MixInto(leaves, rustle, At(std::max(0.0, centre - 0.01)), static_cast<float>(random.Between(0.3, 1.0)));
    }
    leaves.resize(static_cast<size_t>(At(seconds)));
    return leaves;
}

}  // namespace

Buffer Snore(int variant)
{
    SoundRandom random(1500 + static_cast<uint64_t>(variant));
    const double loopSeconds = variant == 0 ? 3.0 : 3.4;
    Buffer loop(static_cast<size_t>(At(loopSeconds)), 0.0f);
    const double flutter = variant == 0 ? 27.0 : 36.0;
    synth::MixInto(loop, SnoreInhale(random, 1.3, flutter, variant == 0 ? 420.0 : 560.0), At(0.15), 1.0f);
    if (variant == 0) {
        synth::MixInto(loop, Puff(random, 1.0), At(1.7), 0.6f);
    } else {
        Buffer whistle = Whistle(980.0, 720.0, 1.2);
        synth::MixInto(whistle, Puff(random, 1.2), 0, 0.3f);
        synth::MixInto(loop, whistle, At(1.8), 0.35f);
    }
    loop.resize(static_cast<size_t>(At(loopSeconds)));
    return loop;
}

Buffer Yawn()
{
    SoundRandom random(1600);
    const std::vector<VowelPoint> path = {
        {0.0, 170.0, {700.0, 1200.0, 2600.0}},
        {0.45, 320.0, {800.0, 1250.0, 2700.0}},
        {0.9, 250.0, {650.0, 1000.0, 2500.0}},
        {1.6, 140.0, {450.0, 800.0, 2400.0}},
    };
    Buffer yawn = Vowel(random, 1.6, path);
    synth::NoteEnvelope(yawn, kRate, 0.15, 0.3, 0.8f, 0.5);
    Buffer sigh = Puff(random, 0.4);
    synth::MixInto(yawn, sigh, At(1.3), 0.3f);
    return yawn;
}

Buffer BushRustle()
{
    SoundRandom random(1700);
    Buffer rustle = Grains(random, 0.75, 140, 2200.0, 6500.0);
    Buffer twigs = Grains(random, 0.75, 6, 600.0, 1200.0);
    synth::MixInto(rustle, twigs, 0, 0.8f);
    return rustle;
}

Buffer BombThrow()
{
    Buffer toss = Swoosh(3);
    SoundRandom random(1800);
    Buffer fuse = synth::WhiteNoise(random, At(0.8));
    Biquad hiss;
    hiss.SetHighPass(kRate, 3500.0, 0.7);
    hiss.ProcessAll(fuse);
    for (size_t i = 0; i < fuse.size(); ++i) {
        const bool crackle = random.Uniform() < 0.004;
        fuse[i] = fuse[i] * 0.25f + (crackle ? random.Bipolar() * 1.5f : 0.0f);
    }
    synth::NoteEnvelope(fuse, kRate, 0.05, 0.1, 0.8f, 0.2);
    synth::MixInto(toss, fuse, At(0.05), 0.6f);
    return toss;
}

Buffer BombBlast()
{
    SoundRandom random(1900);
    const double seconds = 1.5;
    Buffer blast = synth::WhiteNoise(random, At(seconds));
    Buffer rumble = synth::BrownNoise(random, At(seconds));
    Biquad closing;
    Biquad deep;
    deep.SetLowPass(kRate, 180.0, 0.8);
    for (size_t i = 0; i < blast.size(); ++i) {
        if (i % 32 == 0) {
            const double t = static_cast<double>(i) / kRate;
            closing.SetLowPass(kRate, 200.0 + 3800.0 * std::exp(-t / 0.15), 0.7);
        }
        blast[i] = closing.Process(blast[i]) + 1.2f * deep.Process(rumble[i]);
    }
    synth::StrikeEnvelope(blast, kRate, 0.002, 0.35);
    Buffer boom = synth::Tone(kRate, 1.0, 65.0, 28.0, synth::Wave::Sine);
    synth::StrikeEnvelope(boom, kRate, 0.003, 0.25);
    synth::MixInto(blast, boom, 0, 0.9f);
    Reverb valley(kRate, 0.7, 0.5);
    valley.AddTo(blast, 0.25f);
    synth::FadeOut(blast, kRate, 0.3);
    return blast;
}

Buffer CreakingDoor()
{
    SoundRandom random(2000);
    const double seconds = 1.3;
    Buffer creak(static_cast<size_t>(At(seconds)), 0.0f);
    double phase = 0.0;
    for (size_t i = 0; i < creak.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double rate = 35.0 + 60.0 * std::sin(kPi * std::min(1.0, t / 1.05));
        const double jitter = 1.0 + 0.15 * random.Bipolar();
        phase += rate * jitter / kRate;
        if (phase >= 1.0) {
            phase -= 1.0;
            creak[i] = 1.0f;
        }
    }
    Buffer wood(creak.size(), 0.0f);
    for (double formant : {620.0, 1350.0, 2450.0}) {
        Biquad band;
        band.SetBandPass(kRate, formant, 12.0);
        Buffer ring = creak;
        band.ProcessAll(ring);
        synth::MixInto(wood, ring, 0, 1.0f);
    }
    Buffer envelope(wood.size(), 1.0f);
    synth::NoteEnvelope(envelope, kRate, 0.1, 0.2, 0.8f, 0.25);
    for (size_t i = 0; i < wood.size(); ++i) {
        wood[i] *= envelope[i];
    }
    Buffer latch = synth::StruckBody(kRate, 0.15, {{1900.0, 0.6f, 0.02}, {3100.0, 0.4f, 0.012}});
    synth::MixInto(wood, latch, At(1.1), 0.5f);
    return wood;
}

Buffer MusketShot()
{
    SoundRandom random(2100);
    Buffer crack = synth::WhiteNoise(random, At(0.02));
    synth::StrikeEnvelope(crack, kRate, 0.0003, 0.004);
    Buffer body = synth::BrownNoise(random, At(0.6));
    Biquad powder;
    powder.SetLowPass(kRate, 900.0, 0.7);
    powder.ProcessAll(body);
    synth::StrikeEnvelope(body, kRate, 0.001, 0.12);
    synth::MixInto(body, crack, 0, 1.5f);
    Buffer boom = synth::Tone(kRate, 0.5, 80.0, 38.0, synth::Wave::Sine);
    synth::StrikeEnvelope(boom, kRate, 0.002, 0.12);
    synth::MixInto(body, boom, 0, 0.8f);
    body.resize(static_cast<size_t>(At(1.3)), 0.0f);
    Reverb forest(kRate, 0.85, 0.4);
    forest.AddTo(body, 0.4f);
    synth::FadeOut(body, kRate, 0.3);
    return body;
}

}  // namespace recipes
