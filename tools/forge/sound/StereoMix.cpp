#include "sound/StereoMix.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sound/Reverb.h"

StereoMix::StereoMix(int sampleRate, double seconds)
    : rate(sampleRate),
      left(static_cast<size_t>(synth::Frames(sampleRate, seconds)), 0.0f),
      right(left.size(), 0.0f)
{
}

void StereoMix::Add(const synth::Buffer& mono, double atSeconds, float gain, float pan)
{
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * std::numbers::pi / 4.0;
    const int at = synth::Frames(rate, atSeconds);
    synth::MixLooped(left, mono, at, gain * static_cast<float>(std::cos(angle)));
    synth::MixLooped(right, mono, at, gain * static_cast<float>(std::sin(angle)));
}

void StereoMix::AddHall(double size, float wet)
{
    constexpr int kStereoSpread = 23;
    Reverb leftRoom(rate, size, 0.45);
    Reverb rightRoom(rate, size, 0.45, kStereoSpread);
    leftRoom.AddToLoop(left, wet);
    rightRoom.AddToLoop(right, wet);
}
