#pragma once

#include "util/Singleton.h"

class Voice;

// Plays one voice after a delay and destroys it once it has sounded.
class SpeechPlayer : public Singleton<SpeechPlayer> {
public:
    // Takes over a non-temporary voice of the sound engine; a voice still waiting is dropped.
    void Say(Voice* voice, float delaySeconds);
    void Update(float dtSeconds);
    // Halts and destroys the voice and clears the delay.
    void Stop();

    bool IsBusy() const { return voice != nullptr; }

private:
    Voice* voice = nullptr;
    float delaySeconds = 0.0f;
    bool started = false;
};
