#include "audio/MusicPlayer.h"

#include <algorithm>

#include "audio/StreamingSample.h"
#include "util/Randomizer.h"

namespace {

constexpr int kPlayMinSeconds = 180;
constexpr int kRestMinSeconds = 60;
constexpr int kSpreadSeconds = 120;

}  // namespace

void MusicPlayer::SetStream(StreamingSample* newStream)
{
    stream = newStream;
    ApplyVolume();
}

void MusicPlayer::FadeIn()
{
    fadeStep = kFadeFactorPerSecond;
}

void MusicPlayer::FadeOut()
{
    fadeStep = -kFadeFactorPerSecond;
}

void MusicPlayer::SetAutomatic(bool on)
{
    state = on ? CycleState::Starting : CycleState::Off;
    cycleVolume = 1.0f;
    stateSeconds = 0.0f;
}

void MusicPlayer::Update(float dtSeconds)
{
    UpdateFade(dtSeconds);
    UpdateCycle(dtSeconds);
    ApplyVolume();
}

void MusicPlayer::UpdateFade(float dtSeconds)
{
    fadeFactor = std::clamp(fadeFactor + fadeStep * dtSeconds, 0.0f, 1.0f);
    if (fadeFactor == 0.0f || fadeFactor == 1.0f) {
        fadeStep = 0.0f;
    }
}

void MusicPlayer::UpdateCycle(float dtSeconds)
{
    switch (state) {
    case CycleState::Off:
        return;
    case CycleState::Starting:
        cycleVolume = 0.0f;
        if (stream) {
            stream->SetVolume(0.0f);
            stream->PlayLooping();
        }
        state = CycleState::Rising;
        return;
    case CycleState::Rising:
        cycleVolume = std::min(cycleVolume + kCycleVolumePerSecond * dtSeconds, 1.0f);
        if (cycleVolume >= 1.0f) {
            state = CycleState::Playing;
            stateSeconds = static_cast<float>(kPlayMinSeconds + Randomizer::Instance().Pick(kSpreadSeconds));
        }
        return;
    case CycleState::Playing:
        stateSeconds -= dtSeconds;
        if (stateSeconds <= 0.0f) {
            state = CycleState::Falling;
        }
        return;
    case CycleState::Falling:
        cycleVolume = std::max(cycleVolume - kCycleVolumePerSecond * dtSeconds, 0.0f);
        if (cycleVolume <= 0.0f) {
            if (stream) {
                stream->Stop();
            }
            state = CycleState::Resting;
            stateSeconds = static_cast<float>(kRestMinSeconds + Randomizer::Instance().Pick(kSpreadSeconds));
        }
        return;
    case CycleState::Resting:
        stateSeconds -= dtSeconds;
        if (stateSeconds <= 0.0f) {
            state = CycleState::Starting;
        }
        return;
    }
}

void MusicPlayer::ApplyVolume()
{
    if (stream) {
        stream->SetVolume(fadeFactor * cycleVolume);
    }
}

void MusicPlayer::Stop()
{
    if (stream) {
        stream->Stop();
    }
    state = CycleState::Off;
    fadeStep = 0.0f;
}
