#include "film/FilmSoundtrack.h"

#include <algorithm>
#include <cmath>

#include "film/FilmFormat.h"
#include "sound/Biquad.h"
#include "sound/Limiter.h"

namespace {

constexpr float kCeiling = 0.89f;
// Folding down to half the rate: two low-pass sections keep what lies above the new Nyquist
// frequency from folding back as noise.
constexpr double kFoldCutoffHz = 9500.0;
constexpr double kPreRollSeconds = 0.05;

float Rms(const synth::Buffer& samples)
{
    double sum = 0.0;
    for (float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return samples.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / static_cast<double>(samples.size())));
}

// The stretch of a stereo piece as mono at the film's rate (from the piece's rate, a whole multiple).
synth::Buffer FoldDown(const StereoMix& piece, double from, double to)
{
    const int step = std::max(1, piece.Rate() / film_format::kSampleRate);
    const size_t preRoll = static_cast<size_t>(kPreRollSeconds * piece.Rate());
    const size_t first = static_cast<size_t>(std::max(0.0, from) * piece.Rate());
    const size_t end = std::min(piece.Left().size(), static_cast<size_t>(to * piece.Rate()));
    const size_t begin = first > preRoll ? first - preRoll : 0;
    Biquad sections[2];
    sections[0].SetLowPass(piece.Rate(), kFoldCutoffHz, 0.54);
    sections[1].SetLowPass(piece.Rate(), kFoldCutoffHz, 1.31);
    synth::Buffer mono;
    for (size_t i = begin; i < end; ++i) {
        const float sample = sections[1].Process(sections[0].Process(0.5f * (piece.Left()[i] + piece.Right()[i])));
        if (i >= first && (i - first) % static_cast<size_t>(step) == 0) {
            mono.push_back(sample);
        }
    }
    return mono;
}

}  // namespace

FilmSoundtrack::FilmSoundtrack(double seconds)
    : track(static_cast<size_t>(std::lround(seconds * film_format::kSampleRate)), 0.0f)
{
}

void FilmSoundtrack::AddMusic(const StereoMix& piece, double from, double to, double at, float rms, double fadeSeconds)
{
    synth::Buffer part = FoldDown(piece, from, to);
    const float level = Rms(part);
    if (level <= 0.0f) {
        return;
    }
    synth::Gain(part, rms / level);
    synth::FadeIn(part, film_format::kSampleRate, fadeSeconds);
    synth::FadeOut(part, film_format::kSampleRate, fadeSeconds);
    Place(part, at);
}

void FilmSoundtrack::AddEffect(synth::Buffer sound, double at, float rms)
{
    synth::SetLoudness(sound, film_format::kSampleRate, rms);
    Place(sound, at);
}

void FilmSoundtrack::Place(const synth::Buffer& sound, double at)
{
    const size_t offset = static_cast<size_t>(std::lround(at * film_format::kSampleRate));
    for (size_t i = 0; i < sound.size() && offset + i < track.size(); ++i) {
        track[offset + i] += sound[i];
    }
}

synth::Buffer FilmSoundtrack::Master(double fadeInSeconds, double fadeOutSeconds) const
{
    synth::Buffer master = track;
    Limiter(film_format::kSampleRate, kCeiling).Apply(master);
    synth::FadeIn(master, film_format::kSampleRate, fadeInSeconds);
    synth::FadeOut(master, film_format::kSampleRate, fadeOutSeconds);
    return master;
}
