#include <algorithm>
#include <cmath>

#include "sound/Biquad.h"
#include "sound/EffectRecipes.h"
#include "sound/Reverb.h"

namespace recipes {

namespace {

using synth::Buffer;
using synth::Mode;
constexpr int kRate = synth::kEffectRate;

// A band of noise that starts at once and dies away: the crack or scrape of a contact.
Buffer NoiseBurst(SoundRandom& random, double seconds, double bandHz, double q, double decaySeconds)
{
    Buffer burst = synth::WhiteNoise(random, synth::Frames(kRate, seconds));
    Biquad band;
    band.SetBandPass(kRate, bandHz, q);
    band.ProcessAll(burst);
    synth::StrikeEnvelope(burst, kRate, 0.0005, decaySeconds);
    return burst;
}

// A sine whose pitch drops as it dies: the "bonk" of a hollow head or the thump of a body.
Buffer Thump(double startHz, double endHz, double seconds, double decaySeconds)
{
    Buffer thump = synth::Tone(kRate, seconds, startHz, endHz, synth::Wave::Sine);
    synth::StrikeEnvelope(thump, kRate, 0.002, decaySeconds);
    synth::FadeOut(thump, kRate, std::min(0.03, seconds / 4.0));
    return thump;
}

// Partials of a ringing metal plate: inharmonic ratios, higher ones dying sooner.
std::vector<Mode> MetalModes(double baseHz, SoundRandom& random, double decaySeconds)
{
    static constexpr double kRatios[] = {1.0, 1.47, 2.09, 2.56, 3.91, 5.12};
    std::vector<Mode> modes;
    float amplitude = 0.5f;
    double decay = decaySeconds;
    for (double ratio : kRatios) {
        modes.push_back({baseHz * ratio * random.Between(0.985, 1.015), amplitude, decay});
        amplitude *= 0.72f;
        decay *= 0.78;
    }
    return modes;
}

Buffer WoodKnock(double baseHz, double ring, SoundRandom& random)
{
    const std::vector<Mode> plank = {
        {baseHz, 0.6f, 0.07 * ring},
        {baseHz * random.Between(2.6, 2.9), 0.35f, 0.04 * ring},
        {baseHz * random.Between(5.2, 5.6), 0.2f, 0.022 * ring},
    };
    Buffer knock = synth::StruckBody(kRate, 0.3, plank);
    synth::MixInto(knock, NoiseBurst(random, 0.03, 2600.0, 1.2, 0.004), 0, 0.5f);
    return knock;
}

}  // namespace

Buffer BoardBonk(int variant)
{
    struct Body {
        double woodHz;
        double headHz;
        double ring;
    };
    static constexpr Body kBodies[] = {
        {420.0, 520.0, 1.0}, {510.0, 640.0, 0.8}, {360.0, 430.0, 1.3},
        {600.0, 760.0, 0.7}, {470.0, 380.0, 1.1}, {320.0, 300.0, 1.5},
    };
    const Body& body = kBodies[std::clamp(variant, 0, 5)];
    SoundRandom random(100 + static_cast<uint64_t>(variant));
    Buffer bonk = WoodKnock(body.woodHz, body.ring, random);
    synth::MixInto(bonk, Thump(body.headHz, body.headHz * 0.55, 0.25, 0.05 * body.ring), 0, 0.8f);
    synth::MixInto(bonk, Thump(150.0, 90.0, 0.15, 0.03), 0, 0.35f);
    synth::FadeOut(bonk, kRate, 0.05);
    return bonk;
}

Buffer KnightBlow(int variant)
{
    static constexpr double kClangHz[] = {310.0, 265.0, 355.0};
    SoundRandom random(200 + static_cast<uint64_t>(variant));
    const double clangHz = kClangHz[std::clamp(variant, 0, 2)];
    Buffer blow = Thump(120.0, 48.0, 0.35, 0.09);
    synth::Gain(blow, 0.9f);
    Buffer clang = synth::StruckBody(kRate, 0.75, MetalModes(clangHz, random, 0.35));
    synth::MixInto(blow, clang, static_cast<int>(kRate * 0.004), 0.55f);
    synth::MixInto(blow, NoiseBurst(random, 0.12, 1800.0, 0.7, 0.02), 0, 0.7f);
    Reverb room(kRate, 0.3, 0.5);
    room.AddTo(blow, 0.2f);
    synth::FadeOut(blow, kRate, 0.1);
    return blow;
}

Buffer BoardOnArmour(int variant)
{
    static constexpr double kPlateHz[] = {820.0, 960.0, 735.0};
    SoundRandom random(300 + static_cast<uint64_t>(variant));
    Buffer clank = WoodKnock(380.0 + 40.0 * variant, 0.8, random);
    Buffer plate = synth::StruckBody(kRate, 0.55, MetalModes(kPlateHz[std::clamp(variant, 0, 2)], random, 0.22));
    synth::MixInto(clank, plate, 0, 0.7f);
    synth::MixInto(clank, NoiseBurst(random, 0.06, 4200.0, 1.5, 0.01), 0, 0.6f);
    synth::FadeOut(clank, kRate, 0.08);
    return clank;
}

Buffer BodyFall(int variant)
{
    SoundRandom random(400 + static_cast<uint64_t>(variant));
    const double weight = 1.0 + 0.15 * variant;
    Buffer fall = Thump(75.0 / weight, 38.0, 0.6, 0.09 * weight);
    Buffer earth = synth::BrownNoise(random, synth::Frames(kRate, 0.4));
    Biquad dull;
    dull.SetLowPass(kRate, 260.0, 0.7);
    dull.ProcessAll(earth);
    synth::StrikeEnvelope(earth, kRate, 0.003, 0.07);
    synth::MixInto(fall, earth, 0, 1.2f);
    Buffer grass = NoiseBurst(random, 0.2, 3500.0, 0.6, 0.05);
    synth::MixInto(fall, grass, 0, 0.25f);
    const int bounce = synth::Frames(kRate, 0.11 + 0.02 * variant);
    Buffer second = Thump(60.0, 40.0, 0.3, 0.06);
    synth::MixInto(fall, second, bounce, 0.35f);
    synth::MixInto(fall, NoiseBurst(random, 0.12, 3000.0, 0.6, 0.03), bounce, 0.12f);
    synth::FadeOut(fall, kRate, 0.1);
    return fall;
}

Buffer Swoosh(int variant)
{
    SoundRandom random(500 + static_cast<uint64_t>(variant));
    const double seconds = 0.34 + 0.04 * variant;
    const double pitch = variant == 2 ? 0.55 : 1.0 - 0.08 * variant;
    Buffer air = synth::WhiteNoise(random, synth::Frames(kRate, seconds));
    Biquad band;
    Biquad second;
    constexpr size_t kRetune = 32;
    for (size_t i = 0; i < air.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(air.size());
        if (i % kRetune == 0) {
            const double hz = pitch * (450.0 + 2100.0 * std::sin(3.14159 * std::pow(t, 0.8)));
            band.SetBandPass(kRate, hz, 1.4);
            second.SetBandPass(kRate, hz * 1.1, 1.4);
        }
        const double shape = std::pow(std::sin(3.14159 * std::pow(t, 0.7)), 2.0);
        air[i] = static_cast<float>(second.Process(band.Process(air[i])) * shape);
    }
    return air;
}

Buffer DoubleBonk()
{
    SoundRandom random(600);
    Buffer bonk = WoodKnock(300.0, 1.4, random);
    synth::MixInto(bonk, Thump(380.0, 200.0, 0.3, 0.07), 0, 0.9f);
    Buffer again = WoodKnock(260.0, 1.6, random);
    synth::MixInto(again, Thump(330.0, 160.0, 0.35, 0.09), 0, 1.0f);
    synth::MixInto(again, Thump(110.0, 45.0, 0.35, 0.1), 0, 0.8f);
    synth::MixInto(bonk, again, synth::Frames(kRate, 0.11), 1.2f);
    synth::FadeOut(bonk, kRate, 0.08);
    return bonk;
}

Buffer StopwatchTick()
{
    SoundRandom random(700);
    Buffer tick = synth::StruckBody(kRate, 0.1, {{2900.0, 0.4f, 0.018}, {4700.0, 0.3f, 0.01}, {1650.0, 0.2f, 0.02}});
    synth::MixInto(tick, NoiseBurst(random, 0.02, 5000.0, 2.0, 0.002), 0, 0.8f);
    Buffer catchClick = NoiseBurst(random, 0.02, 3800.0, 2.0, 0.002);
    synth::MixInto(tick, catchClick, synth::Frames(kRate, 0.014), 0.4f);
    synth::FadeOut(tick, kRate, 0.02);
    return tick;
}

Buffer BoardPickUp()
{
    SoundRandom random(800);
    Buffer pickUp = WoodKnock(330.0, 1.2, random);
    synth::MixInto(pickUp, WoodKnock(440.0, 1.2, random), synth::Frames(kRate, 0.11), 0.9f);
    Buffer scrape = NoiseBurst(random, 0.15, 1500.0, 1.0, 0.06);
    synth::FadeIn(scrape, kRate, 0.06);
    synth::MixInto(pickUp, scrape, synth::Frames(kRate, 0.2), 0.4f);
    synth::FadeOut(pickUp, kRate, 0.05);
    return pickUp;
}

Buffer AntlerCrash()
{
    SoundRandom random(900);
    Buffer crash = Thump(90.0, 45.0, 0.4, 0.08);
    double at = 0.0;
    float level = 0.9f;
    for (int clack = 0; clack < 9; ++clack) {
        const double hz = random.Between(900.0, 2400.0);
        Buffer bone = synth::StruckBody(kRate, 0.12, {{hz, 0.5f, 0.03}, {hz * 2.3, 0.3f, 0.015}});
        synth::MixInto(bone, NoiseBurst(random, 0.03, 3000.0, 1.0, 0.004), 0, 0.6f);
        synth::MixInto(crash, bone, synth::Frames(kRate, at), level);
        at += random.Between(0.03, 0.09);
        level *= 0.82f;
    }
    synth::FadeOut(crash, kRate, 0.05);
    return crash;
}

Buffer KnightDazed()
{
    SoundRandom random(1000);
    Buffer dazed = synth::StruckBody(kRate, 0.6, MetalModes(540.0, random, 0.3));
    synth::MixInto(dazed, NoiseBurst(random, 0.05, 3000.0, 1.0, 0.01), 0, 0.5f);
    Buffer wobble = synth::VibratoTone(kRate, 0.6, 700.0, 1.2, 9.0, synth::Wave::Triangle);
    Buffer boing = synth::Tone(kRate, 0.6, 820.0, 380.0, synth::Wave::Sine);
    for (size_t i = 0; i < boing.size(); ++i) {
        boing[i] = 0.6f * boing[i] + 0.4f * wobble[i];
    }
    synth::NoteEnvelope(boing, kRate, 0.03, 0.1, 0.7f, 0.25);
    synth::MixInto(dazed, boing, synth::Frames(kRate, 0.18), 0.35f);
    synth::FadeOut(dazed, kRate, 0.08);
    return dazed;
}

Buffer Footstep(int variant)
{
    SoundRandom random(1100 + static_cast<uint64_t>(variant));
    Buffer step = NoiseBurst(random, 0.12, 2600.0 + 300.0 * variant, 0.8, 0.025);
    synth::MixInto(step, Thump(95.0, 60.0, 0.1, 0.02), 0, 0.5f);
    synth::FadeOut(step, kRate, 0.02);
    return step;
}

Buffer ArmouredStep(int variant)
{
    SoundRandom random(1200 + static_cast<uint64_t>(variant));
    Buffer step = Footstep(variant);
    synth::MixInto(step, Thump(80.0, 50.0, 0.12, 0.03), 0, 0.5f);
    Buffer clink = synth::StruckBody(kRate, 0.2, MetalModes(1250.0 + 150.0 * variant, random, 0.06));
    synth::MixInto(step, clink, synth::Frames(kRate, 0.012), 0.35f);
    synth::FadeOut(step, kRate, 0.03);
    return step;
}

}  // namespace recipes
