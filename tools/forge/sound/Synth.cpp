#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kLoudnessWindowSeconds = 0.05;

// The residual that rounds a unit step at phase 0 over one sample on either side.
double Blep(double phase, double step)
{
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

int Frames(int rate, double seconds)
{
    return std::max(0, static_cast<int>(std::lround(rate * seconds)));
}

float WaveAt(Wave wave, double phase, double step)
{
    switch (wave) {
    case Wave::Sine:
        return static_cast<float>(std::sin(kTwoPi * phase));
    case Wave::Triangle:
        return static_cast<float>(phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase);
    case Wave::Saw:
        return static_cast<float>(2.0 * phase - 1.0 - Blep(phase, step));
    case Wave::Square: {
        const double half = std::fmod(phase + 0.5, 1.0);
        const double square = phase < 0.5 ? 1.0 : -1.0;
        return static_cast<float>(square + Blep(phase, step) - Blep(half, step));
    }
    }
    return 0.0f;
}

Buffer Tone(int rate, double seconds, double startHz, double endHz, Wave wave)
{
    Buffer out(static_cast<size_t>(Frames(rate, seconds)));
    const double ratio = out.empty() ? 1.0 : std::pow(endHz / startHz, 1.0 / static_cast<double>(out.size()));
    double hz = startHz;
    double phase = 0.0;
    for (float& sample : out) {
        const double step = hz / rate;
        sample = WaveAt(wave, phase, step);
        phase = std::fmod(phase + step, 1.0);
        hz *= ratio;
    }
    return out;
}

Buffer VibratoTone(int rate, double seconds, double hz, double depthSemitones, double speedHz, Wave wave)
{
    Buffer out(static_cast<size_t>(Frames(rate, seconds)));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double bend = std::pow(2.0, depthSemitones * std::sin(kTwoPi * speedHz * t) / 12.0);
        const double step = hz * bend / rate;
        out[i] = WaveAt(wave, phase, step);
        phase = std::fmod(phase + step, 1.0);
    }
    return out;
}

Buffer WhiteNoise(SoundRandom& random, int frames)
{
    Buffer out(static_cast<size_t>(std::max(frames, 0)));
    for (float& sample : out) {
        sample = random.Bipolar();
    }
    return out;
}

Buffer BrownNoise(SoundRandom& random, int frames)
{
    Buffer out(static_cast<size_t>(std::max(frames, 0)));
    float level = 0.0f;
    for (float& sample : out) {
        level = level * 0.995f + random.Bipolar() * 0.1f;
        sample = level * 3.0f;
    }
    return out;
}

Buffer StruckBody(int rate, double seconds, const std::vector<Mode>& modes)
{
    Buffer out(static_cast<size_t>(Frames(rate, seconds)), 0.0f);
    for (const Mode& mode : modes) {
        const double step = kTwoPi * mode.hz / rate;
        const double fall = std::exp(-1.0 / (rate * mode.decaySeconds));
        double envelope = mode.amplitude;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += static_cast<float>(envelope * std::sin(step * static_cast<double>(i)));
            envelope *= fall;
        }
    }
    FadeIn(out, rate, 0.0015);
    FadeOut(out, rate, std::min(0.03, seconds / 4.0));
    return out;
}

Buffer Pluck(int rate, double hz, double seconds, SoundRandom& random, float brightness, float stretch)
{
    Buffer out(static_cast<size_t>(Frames(rate, seconds)));
    const double period = rate / hz;
    const int length = std::max(2, static_cast<int>(period - 0.5));
    const double fraction = period - length - 0.5;
    const double tuning = (1.0 - fraction) / (1.0 + fraction);
    const double loss = 0.990 + 0.0098 * std::clamp(stretch, 0.0f, 1.0f);

    std::vector<double> line(static_cast<size_t>(length));
    double smooth = 0.0;
    for (double& cell : line) {
        smooth += (random.Bipolar() - smooth) * (0.15 + 0.85 * brightness);
        cell = smooth;
    }
    double mean = 0.0;
    for (double cell : line) {
        mean += cell / length;
    }
    for (double& cell : line) {
        cell -= mean;
    }

    size_t at = 0;
    double last = 0.0;
    double passIn = 0.0;
    double passOut = 0.0;
    for (float& sample : out) {
        const double current = line[at];
        const double averaged = 0.5 * (current + last) * loss;
        last = current;
        passOut = tuning * averaged + passIn - tuning * passOut;
        passIn = averaged;
        line[at] = passOut;
        at = (at + 1) % line.size();
        sample = static_cast<float>(current);
    }
    FadeIn(out, rate, 0.001);
    FadeOut(out, rate, std::min(0.05, seconds / 4.0));
    return out;
}

Buffer FmBell(int rate, double hz, double seconds, double ratio, double index, double decaySeconds)
{
    Buffer out(static_cast<size_t>(Frames(rate, seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double depth = index * std::exp(-t / (decaySeconds * 0.4));
        const double modulator = std::sin(kTwoPi * hz * ratio * t);
        out[i] = static_cast<float>(std::sin(kTwoPi * hz * t + depth * modulator) * std::exp(-t / decaySeconds));
    }
    FadeIn(out, rate, 0.002);
    FadeOut(out, rate, std::min(0.05, seconds / 4.0));
    return out;
}

void StrikeEnvelope(Buffer& samples, int rate, double attackSeconds, double decaySeconds)
{
    const double attack = std::max(1.0, rate * attackSeconds);
    const double fall = std::exp(-1.0 / (rate * decaySeconds));
    double level = 1.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double rise = std::min(1.0, static_cast<double>(i) / attack);
        samples[i] *= static_cast<float>(rise * level);
        if (static_cast<double>(i) >= attack) {
            level *= fall;
        }
    }
}

void NoteEnvelope(Buffer& samples, int rate, double attack, double decay, float sustain, double release)
{
    const double length = static_cast<double>(samples.size()) / rate;
    const double releaseStart = std::max(0.0, length - release);
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double level = 1.0;
        if (t < attack) {
            level = t / attack;
        } else if (t < attack + decay) {
            level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
        } else {
            level = sustain;
        }
        if (t > releaseStart) {
            level *= std::max(0.0, (length - t) / release);
        }
        samples[i] *= static_cast<float>(level);
    }
}

void FadeIn(Buffer& samples, int rate, double seconds)
{
    const size_t frames = std::min(samples.size(), static_cast<size_t>(Frames(rate, seconds)));
    for (size_t i = 0; i < frames; ++i) {
        samples[i] *= static_cast<float>(i) / static_cast<float>(frames);
    }
}

void FadeOut(Buffer& samples, int rate, double seconds)
{
    const size_t frames = std::min(samples.size(), static_cast<size_t>(Frames(rate, seconds)));
    for (size_t i = 0; i < frames; ++i) {
        samples[samples.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(frames);
    }
}

void Gain(Buffer& samples, float gain)
{
    for (float& sample : samples) {
        sample *= gain;
    }
}

void MixInto(Buffer& target, const Buffer& source, int offset, float gain)
{
    if (offset < 0) {
        return;
    }
    const size_t start = static_cast<size_t>(offset);
    if (target.size() < start + source.size()) {
        target.resize(start + source.size(), 0.0f);
    }
    for (size_t i = 0; i < source.size(); ++i) {
        target[start + i] += source[i] * gain;
    }
}

void MixLooped(Buffer& target, const Buffer& source, int offset, float gain)
{
    if (target.empty()) {
        return;
    }
    const long size = static_cast<long>(target.size());
    size_t at = static_cast<size_t>(((offset % size) + size) % size);
    for (float sample : source) {
        target[at] += sample * gain;
        at = at + 1 == target.size() ? 0 : at + 1;
    }
}

float Peak(const Buffer& samples)
{
    float peak = 0.0f;
    for (float sample : samples) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

float LoudestRms(const Buffer& samples, int rate)
{
    const size_t window = std::max<size_t>(1, static_cast<size_t>(Frames(rate, kLoudnessWindowSeconds)));
    const size_t hop = std::max<size_t>(1, window / 5);
    double loudest = 0.0;
    for (size_t start = 0; start < samples.size(); start += hop) {
        const size_t end = std::min(samples.size(), start + window);
        double sum = 0.0;
        for (size_t i = start; i < end; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        loudest = std::max(loudest, sum / static_cast<double>(window));
    }
    return static_cast<float>(std::sqrt(loudest));
}

void SetLoudness(Buffer& samples, int rate, float targetRms)
{
    const float loudness = LoudestRms(samples, rate);
    if (loudness > 0.0f) {
        Gain(samples, targetRms / loudness);
    }
}

}  // namespace synth
