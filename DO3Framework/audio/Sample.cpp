#include "audio/Sample.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundEngine.h"
#include "platform/SoundBuffer.h"

Sample::Sample(std::string sampleName, std::string sampleFileName, int loadFlags,
               std::unique_ptr<platform::SoundBuffer> soundBuffer)
    : flags(loadFlags), name(std::move(sampleName)), fileName(std::move(sampleFileName)),
      buffer(std::move(soundBuffer))
{
    if (buffer) {
        baseFrequency = static_cast<float>(buffer->GetFrequency());
    }
}

Sample::~Sample()
{
    if (buffer) {
        buffer->Stop();
    }
}

void Sample::Play()
{
    Start(false);
}

void Sample::PlayLooping()
{
    Start(true);
}

void Sample::Start(bool looping)
{
    if (!SoundEngine::Instance().IsEnabled() || !buffer) {
        return;
    }
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(looping);
}

void Sample::Stop()
{
    if (buffer) {
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
}

bool Sample::IsPlaying() const
{
    return buffer && (buffer->GetStatus() & platform::kStatusPlaying) != 0;
}

void Sample::SetFrequency(int frequencyHz)
{
    frequency = static_cast<float>(frequencyHz);
    if (buffer) {
        buffer->SetFrequency(frequencyHz);
    }
}

void Sample::SetVolume(float newVolume)
{
    volume = newVolume;
    if (buffer) {
        buffer->SetVolume(VolumeToHundredthsDb(newVolume));
    }
}

int Sample::VolumeToHundredthsDb(float volume)
{
    const double level = 2000.0 * std::log10(std::max(static_cast<double>(volume) * 100000.0, 1.0)) - 10000.0;
    return std::clamp(static_cast<int>(std::lround(level)), platform::kVolumeSilentHundredthsDb,
                      platform::kVolumeFullHundredthsDb);
}
