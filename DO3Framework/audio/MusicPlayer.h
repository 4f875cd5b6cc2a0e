#pragma once

#include "util/Singleton.h"

class StreamingSample;

// Fades a music stream in and out and, in automatic mode, cycles it: fade in, play three to
// five minutes, fade out and stop, rest one to three minutes, start again.
class MusicPlayer : public Singleton<MusicPlayer> {
public:
    static constexpr float kFadeFactorPerSecond = 0.5f;
    static constexpr float kCycleVolumePerSecond = 0.1f;

    enum class CycleState { Off, Starting, Rising, Playing, Falling, Resting };

    // Borrows a stream of the sound engine; null lets go of it.
    void SetStream(StreamingSample* stream);
    void FadeIn();
    void FadeOut();
    void SetAutomatic(bool on);
    void Update(float dtSeconds);
    void Stop();

    float FadeFactor() const { return fadeFactor; }
    float CycleVolume() const { return cycleVolume; }
    CycleState State() const { return state; }
    float StateTimeLeft() const { return stateSeconds; }

private:
    void UpdateFade(float dtSeconds);
    void UpdateCycle(float dtSeconds);
    void ApplyVolume();

    StreamingSample* stream = nullptr;
    float fadeFactor = 1.0f;
    float fadeStep = 0.0f;
    float cycleVolume = 1.0f;
    CycleState state = CycleState::Off;
    float stateSeconds = 0.0f;
};
