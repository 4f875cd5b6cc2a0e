#include <algorithm>
#include <cmath>

#include "sound/Biquad.h"
#include "sound/EffectRecipes.h"
#include "sound/Reverb.h"

namespace recipes {

namespace {

using synth::Buffer;
constexpr int kRate = synth::kEffectRate;

double Hz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

int At(double seconds)
{
    return synth::Frames(kRate, seconds);
}

// A brass note: a saw whose filter opens with the attack and closes as it fades.
Buffer Brass(double hz, double seconds, double vibratoSemitones)
{
    Buffer note = synth::VibratoTone(kRate, seconds, hz, vibratoSemitones, 5.5, synth::Wave::Saw);
    Biquad tone;
    constexpr size_t kRetune = 32;
    const double attackFrames = kRate * 0.04;
    for (size_t i = 0; i < note.size(); ++i) {
        if (i % kRetune == 0) {
            const double rise = std::min(1.0, static_cast<double>(i) / attackFrames);
            const double left = static_cast<double>(note.size() - i) / kRate;
            const double openness = rise * std::min(1.0, left / 0.15) * 0.7 + 0.3;
            tone.SetLowPass(kRate, hz * (1.2 + 5.0 * openness), 0.9);
        }
        note[i] = tone.Process(note[i]);
    }
    synth::NoteEnvelope(note, kRate, 0.025, 0.12, 0.75f, std::min(0.12, seconds / 3.0));
    return note;
}

Buffer Timpani(double hz, double seconds)
{
    Buffer drum = synth::StruckBody(kRate, seconds, {{hz, 0.7f, 0.45}, {hz * 1.5, 0.3f, 0.3}, {hz * 1.98, 0.2f, 0.2}});
    SoundRandom random(static_cast<uint64_t>(hz));
    Buffer skin = synth::WhiteNoise(random, At(0.05));
    Biquad dull;
    dull.SetLowPass(kRate, 900.0, 0.7);
    dull.ProcessAll(skin);
    synth::StrikeEnvelope(skin, kRate, 0.001, 0.01);
    synth::MixInto(drum, skin, 0, 0.4f);
    synth::FadeOut(drum, kRate, 0.1);
    return drum;
}

Buffer Bell(int midiNote, double seconds, float ratio)
{
    return synth::FmBell(kRate, Hz(midiNote), seconds, ratio, 2.5, seconds * 0.4);
}

// One chirp of a small bird: a fast upward sweep that falls back.
Buffer Chirp(double hz, double seconds, double sweep)
{
    Buffer chirp(static_cast<size_t>(At(seconds)));
    double phase = 0.0;
    for (size_t i = 0; i < chirp.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(chirp.size());
        const double bend = 1.0 + sweep * std::sin(3.14159 * t);
        phase += hz * bend / kRate;
        chirp[i] = static_cast<float>(std::sin(6.28318 * phase) * std::pow(std::sin(3.14159 * t), 2.0));
    }
    return chirp;
}

void AddRoom(Buffer& sound, double size, float wet)
{
    sound.resize(sound.size() + static_cast<size_t>(At(0.3)), 0.0f);
    Reverb room(kRate, size, 0.4);
    room.AddTo(sound, wet);
}

}  // namespace

Buffer RoundWon()
{
    SoundRandom random(1200);
    Buffer tune;
    static constexpr int kRun[] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i) {
        synth::MixInto(tune, synth::Pluck(kRate, Hz(kRun[i]), 0.5, random, 0.7f, 0.6f), At(0.1 * i), 0.8f);
        synth::MixInto(tune, Bell(kRun[i] + 12, 0.4, 2.0f), At(0.1 * i), 0.25f);
    }
    for (int note : {72, 76, 79, 84}) {
        synth::MixInto(tune, synth::Pluck(kRate, Hz(note), 0.9, random, 0.6f, 0.8f), At(0.42), 0.5f);
    }
    synth::MixInto(tune, Bell(96, 0.8, 2.0f), At(0.42), 0.25f);
    AddRoom(tune, 0.5, 0.25f);
    synth::FadeOut(tune, kRate, 0.15);
    return tune;
}

Buffer VictoryFanfare()
{
    struct Note {
        double start;
        double length;
        int midi;
    };
    static constexpr Note kMelody[] = {
        {0.00, 0.12, 67}, {0.13, 0.12, 67}, {0.26, 0.12, 67}, {0.40, 0.45, 72}, {0.90, 0.15, 67},
        {1.06, 0.15, 72}, {1.22, 0.45, 76}, {1.72, 0.15, 74}, {1.88, 0.15, 76}, {2.04, 0.15, 77},
        {2.20, 1.50, 79},
    };
    Buffer fanfare;
    for (const Note& note : kMelody) {
        synth::MixInto(fanfare, Brass(Hz(note.midi), note.length, note.length > 1.0 ? 0.2 : 0.05), At(note.start),
                       0.5f);
    }
    for (int harmony : {64, 72, 48}) {
        synth::MixInto(fanfare, Brass(Hz(harmony), 1.5, 0.12), At(2.20), 0.3f);
    }
    synth::MixInto(fanfare, Timpani(Hz(48), 0.8), At(0.40), 0.6f);
    synth::MixInto(fanfare, Timpani(Hz(43), 0.8), At(1.22), 0.6f);
    for (int roll = 0; roll < 10; ++roll) {
        synth::MixInto(fanfare, Timpani(Hz(48), 0.5), At(2.20 + 0.06 * roll), 0.25f + 0.03f * roll);
    }
    synth::MixInto(fanfare, Timpani(Hz(36), 1.0), At(2.90), 0.8f);
    AddRoom(fanfare, 0.6, 0.3f);
    synth::FadeOut(fanfare, kRate, 0.25);
    return fanfare;
}

Buffer LosingTune()
{
    static constexpr int kSteps[] = {67, 66, 65};
    Buffer tune;
    for (int i = 0; i < 3; ++i) {
        synth::MixInto(tune, Brass(Hz(kSteps[i]), 0.5, 0.0), At(0.55 * i), 0.6f);
        synth::MixInto(tune, Brass(Hz(kSteps[i] - 12), 0.5, 0.0), At(0.55 * i), 0.25f);
    }
    Buffer last = Brass(Hz(64), 2.2, 0.45);
    Buffer low = Brass(Hz(52), 2.2, 0.3);
    synth::MixInto(last, low, 0, 0.4f);
    synth::FadeOut(last, kRate, 1.2);
    synth::MixInto(tune, last, At(1.65), 0.6f);
    Biquad mute;
    mute.SetPeak(kRate, 900.0, 1.5, 6.0);
    mute.ProcessAll(tune);
    synth::MixInto(tune, Timpani(Hz(40), 1.2), At(1.65), 0.5f);
    AddRoom(tune, 0.5, 0.25f);
    synth::FadeOut(tune, kRate, 0.3);
    return tune;
}

Buffer DefaultPickUp()
{
    Buffer ding = Bell(88, 0.25, 2.0f);
    synth::MixInto(ding, Bell(95, 0.45, 2.0f), At(0.08), 1.0f);
    AddRoom(ding, 0.3, 0.15f);
    return ding;
}

Buffer Coins()
{
    SoundRandom random(1300);
    Buffer coins = synth::Tone(kRate, 0.07, Hz(83), Hz(83), synth::Wave::Square);
    synth::NoteEnvelope(coins, kRate, 0.003, 0.02, 0.7f, 0.01);
    synth::Gain(coins, 0.3f);
    Buffer second = synth::Tone(kRate, 0.35, Hz(88), Hz(88), synth::Wave::Square);
    synth::StrikeEnvelope(second, kRate, 0.003, 0.12);
    synth::MixInto(coins, second, At(0.07), 0.3f);
    for (int clink = 0; clink < 5; ++clink) {
        const double hz = random.Between(3000.0, 5200.0);
        synth::MixInto(coins, synth::FmBell(kRate, hz, 0.2, 3.7, 1.5, 0.06), At(0.05 + 0.06 * clink), 0.35f);
    }
    return coins;
}

Buffer SpeedUp()
{
    Buffer glide = synth::Tone(kRate, 0.5, 300.0, 1500.0, synth::Wave::Triangle);
    static constexpr int kSteps[] = {72, 76, 79, 84, 88, 91};
    for (int i = 0; i < 6; ++i) {
        Buffer step = synth::Tone(kRate, 0.09, Hz(kSteps[i]), Hz(kSteps[i]), synth::Wave::Square);
        synth::NoteEnvelope(step, kRate, 0.003, 0.03, 0.6f, 0.03);
        synth::MixInto(glide, step, At(0.065 * i), 0.35f);
    }
    synth::NoteEnvelope(glide, kRate, 0.02, 0.1, 0.6f, 0.1);
    return glide;
}

Buffer SlowDown()
{
    Buffer fall(static_cast<size_t>(At(0.8)));
    double phase = 0.0;
    for (size_t i = 0; i < fall.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hz = 900.0 * std::pow(120.0 / 900.0, t / 0.8) * (1.0 + 0.06 * std::sin(6.28318 * (9.0 - 8.0 * t) * t));
        phase = std::fmod(phase + hz / kRate, 1.0);
        fall[i] = synth::WaveAt(synth::Wave::Saw, phase, hz / kRate);
    }
    Biquad soft;
    soft.SetLowPass(kRate, 1800.0, 0.8);
    soft.ProcessAll(fall);
    synth::NoteEnvelope(fall, kRate, 0.02, 0.2, 0.7f, 0.25);
    return fall;
}

Buffer TwitteringStars()
{
    SoundRandom random(1400);
    Buffer loop(static_cast<size_t>(At(2.0)), 0.0f);
    double at = 0.0;
    while (at < 2.0) {
        const double hz = random.Between(2600.0, 3800.0);
        const int chirps = 2 + static_cast<int>(random.Uniform() * 3.0);
        for (int chirp = 0; chirp < chirps; ++chirp) {
            synth::MixLooped(loop, Chirp(hz, 0.055, 0.35), At(at + chirp * 0.075), 0.5f);
        }
        at += random.Between(0.22, 0.38);
    }
    for (int sparkle = 0; sparkle < 4; ++sparkle) {
        const double hz = 2000.0 + 350.0 * sparkle;
        synth::MixLooped(loop, synth::FmBell(kRate, hz, 0.4, 2.0, 1.0, 0.12), At(0.5 * sparkle + 0.1), 0.15f);
    }
    return loop;
}

Buffer FallingWhistle()
{
    Buffer whistle(static_cast<size_t>(At(1.1)));
    double phase = 0.0;
    for (size_t i = 0; i < whistle.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hz = 2000.0 * std::pow(0.25, t / 1.1) * (1.0 + 0.01 * std::sin(6.28318 * 6.0 * t));
        phase = std::fmod(phase + hz / kRate, 1.0);
        whistle[i] = static_cast<float>(std::sin(6.28318 * phase));
    }
    synth::NoteEnvelope(whistle, kRate, 0.08, 0.1, 0.9f, 0.15);
    return whistle;
}

Buffer CapBells(int variant)
{
    SoundRandom random(1500 + static_cast<uint64_t>(variant));
    Buffer bells;
    for (int bell = 0; bell < 6; ++bell) {
        const double hz = random.Between(2400.0, 3400.0);
        synth::MixInto(bells, synth::FmBell(kRate, hz, 0.35, 1.41, 3.0, 0.12), At(0.05 * bell), 0.3f);
    }
    return bells;
}

}  // namespace recipes
