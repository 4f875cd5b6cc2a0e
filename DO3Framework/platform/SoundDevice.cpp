#include "platform/SoundDevice.h"

#include <SDL.h>

#include "platform/PlatformResult.h"

namespace platform {

namespace {

constexpr int kCallbackFrames = 1024;

}  // namespace

SoundDevice::~SoundDevice()
{
    Close();
}

int32_t SoundDevice::Open()
{
    Close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return kResultNoAudioDevice;
    }
    subsystemStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = kPreferredRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Mixer::kOutputChannels;
    wanted.samples = kCallbackFrames;
    wanted.callback = &SoundDevice::PullMixer;
    wanted.userdata = this;
    SDL_AudioSpec granted{};
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &granted, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (deviceId == 0) {
        Close();
        return kResultNoAudioDevice;
    }
    // The device opens paused, so the mixer is in place before the first callback.
    mixer = Mixer::Create(granted.freq);
    SDL_PauseAudioDevice(deviceId, 0);
    return kResultOk;
}

void SoundDevice::PullMixer(void* user, uint8_t* stream, int length)
{
    static_cast<SoundDevice*>(user)->mixer->Mix(reinterpret_cast<int16_t*>(stream),
                                                length / static_cast<int>(sizeof(int16_t) * Mixer::kOutputChannels));
}

void SoundDevice::OpenWithoutOutput(int outputRate)
{
    Close();
    mixer = Mixer::Create(outputRate);
}

void SoundDevice::Close()
{
    if (deviceId != 0) {
        SDL_CloseAudioDevice(deviceId);
        deviceId = 0;
    }
    if (subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted = false;
    }
    mixer.reset();
}

}  // namespace platform
