#include "audio/SpeechPlayer.h"

#include "audio/SoundEngine.h"
#include "audio/Voice.h"

void SpeechPlayer::Say(Voice* newVoice, float delay)
{
    Stop();
    voice = newVoice;
    delaySeconds = delay;
    started = false;
}

void SpeechPlayer::Update(float dtSeconds)
{
    if (!voice) {
        return;
    }
    if (!started) {
        delaySeconds -= dtSeconds;
        if (delaySeconds <= 0.0f) {
            voice->Play();
            started = true;
        }
        return;
    }
    // A one-shot clears its active flag when its sample starts; it is done once that ends.
    if (!voice->IsActive() && !voice->IsSounding()) {
        SoundEngine::Instance().DestroyVoice(voice);
        voice = nullptr;
    }
}

void SpeechPlayer::Stop()
{
    if (voice) {
        voice->Halt();
        SoundEngine::Instance().DestroyVoice(voice);
        voice = nullptr;
    }
    delaySeconds = 0.0f;
    started = false;
}
