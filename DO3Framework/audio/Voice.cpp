#include "audio/Voice.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioEvent.h"
#include "audio/Sample.h"
#include "audio/SoundEngine.h"
#include "util/Randomizer.h"

namespace {

constexpr float kNoListenerDistance = 1e9f;
// 2 / 32767: rand() scaled to 0..2.
constexpr float kDoubleUnit = 6.103888e-5f;

float Spread(float base, float variation)
{
    return base + (static_cast<float>(Randomizer::Instance().Rand()) * kDoubleUnit - 1.0f) * variation;
}

}  // namespace

Voice::~Voice() = default;

void Voice::SetEvent(const AudioEvent* newEvent)
{
    event = newEvent;
    if (!event) {
        return;
    }
    volumeFactor = std::clamp(Spread(event->volume, event->volumeVariation), 0.0f, 1.0f);
    SetVolume(1.0f);
    pitchFactor = std::max(Spread(event->pitch, event->pitchVariation), 0.0f);
    SetPitch(1.0f);
    priority = static_cast<int>(event->priority);
}

void Voice::Release()
{
    SetSample(nullptr, true);
}

void Voice::Reload()
{
    const bool wasSounding = IsSounding();
    Release();
    SetEvent(event);
    if (wasSounding) {
        Play();
    }
}

void Voice::Update(float)
{
    if (!event) {
        return;
    }
    const float distance = DistanceToNearestListener();
    if (event->is3d) {
        active = distance < event->maxDistance;
    }
    if (!sample) {
        return;
    }
    if (event->is3d) {
        attenuation = Attenuation(distance);
        SetVolume(userVolume);
    } else {
        attenuation = 1.0f;
    }
}

float Voice::DistanceToNearestListener() const
{
    const auto& listeners = SoundEngine::Instance().Listeners();
    if (listeners.empty()) {
        return kNoListenerDistance;
    }
    long long nearest = -1;
    for (const auto& [x, y] : listeners) {
        const long long dx = x - positionX;
        const long long dy = y - positionY;
        const long long squared = dx * dx + dy * dy;
        if (nearest < 0 || squared < nearest) {
            nearest = squared;
        }
    }
    return std::sqrt(static_cast<float>(nearest));
}

float Voice::Attenuation(float distance) const
{
    if (distance < event->minDistance) {
        return 1.0f;
    }
    const float range = event->maxDistance - event->minDistance;
    if (range <= 0.0f) {
        return 0.0f;
    }
    return std::clamp(1.0f - (distance - event->minDistance) / range, 0.0f, 1.0f);
}

void Voice::Play()
{
    active = true;
    SetVolume(userVolume);
    SetPitch(userPitch);
}

void Voice::Halt()
{
    active = false;
    if (sample) {
        sample->Stop();
    }
}

bool Voice::IsSounding() const
{
    return sample && sample->IsPlaying();
}

void Voice::SetVolume(float volume)
{
    userVolume = volume;
    if (!event || !sample) {
        return;
    }
    const SoundEngine& engine = SoundEngine::Instance();
    const int group = event->Group();
    float final = engine.GroupLevel(group) * volumeFactor * engine.GroupFactor(group) * volume;
    if (event->is3d) {
        final *= attenuation;
    }
    sample->SetVolume(final);
}

void Voice::SetPitch(float pitch)
{
    userPitch = pitch;
    if (sample) {
        sample->SetFrequency(static_cast<int>(sample->BaseFrequency() * pitchFactor * pitch));
    }
}

void Voice::SetSample(Sample* newSample, bool forced)
{
    if (!newSample) {
        if (sample && (forced || (event && event->looping))) {
            sample->Stop();
            sample = nullptr;
        } else if (sample && !sample->IsPlaying()) {
            sample = nullptr;
        }
        return;
    }
    sample = newSample;
    SetVolume(userVolume);
    SetPitch(userPitch);
    if (!sample->IsPlaying()) {
        if (event && event->looping) {
            sample->PlayLooping();
        } else {
            if (userVolume > 0.0f) {
                sample->Play();
            }
            active = false;
        }
    }
    SetVolume(userVolume);
    SetPitch(userPitch);
}

void Voice::SetPosition(int x, int y)
{
    positionX = x;
    positionY = y;
}
