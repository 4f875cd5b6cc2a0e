#include "platform/SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/Mixer.h"
#include "platform/PlatformResult.h"

namespace platform {

namespace {

// Staging blocks larger than this (whole-buffer fills at load time) are freed after Unlock;
// smaller ones (stream refills) are kept for the next lock.
constexpr size_t kKeptStagingBytes = 65536;

constexpr int kFractionBits = 15;

int32_t Interpolate(int32_t from, int32_t to, int32_t fraction)
{
    return from + (((to - from) * fraction) >> kFractionBits);
}

int32_t GainQ16(int volumeHundredthsDb)
{
    if (volumeHundredthsDb <= kVolumeSilentHundredthsDb) {
        return 0;
    }
    return static_cast<int32_t>(std::lround(std::pow(10.0, volumeHundredthsDb / 2000.0) * 65536.0));
}

}  // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> owner, const SoundFormat& bufferFormat, int bytes, int bufferControls)
    : mixer(std::move(owner)), format(bufferFormat), sizeBytes(bytes), controls(bufferControls),
      frequencyHz(bufferFormat.rate)
{
}

SoundBuffer::~SoundBuffer()
{
    mixer->Unregister(this);
}

int32_t SoundBuffer::Lock(int offsetBytes, int bytes, void** first, int* firstBytes, void** second, int* secondBytes)
{
    if (lockedOffset >= 0) {
        return kResultInvalidCall;
    }
    if (offsetBytes < 0 || offsetBytes >= sizeBytes || bytes <= 0 || bytes > sizeBytes) {
        return kResultInvalidParams;
    }
    try {
        staging.resize(static_cast<size_t>(bytes));
    } catch (const std::bad_alloc&) {
        return kResultOutOfMemory;
    }
    const int head = std::min(bytes, sizeBytes - offsetBytes);
    {
        std::lock_guard<std::mutex> guard(mixer->lock);
        std::memcpy(staging.data(), Bytes() + offsetBytes, static_cast<size_t>(head));
        std::memcpy(staging.data() + head, Bytes(), static_cast<size_t>(bytes - head));
    }
    lockedOffset = offsetBytes;
    lockedBytes = bytes;
    *first = staging.data();
    *firstBytes = head;
    *second = head < bytes ? staging.data() + head : nullptr;
    *secondBytes = bytes - head;
    return kResultOk;
}

int32_t SoundBuffer::Unlock()
{
    if (lockedOffset < 0) {
        return kResultInvalidCall;
    }
    const int head = std::min(lockedBytes, sizeBytes - lockedOffset);
    {
        std::lock_guard<std::mutex> guard(mixer->lock);
        std::memcpy(Bytes() + lockedOffset, staging.data(), static_cast<size_t>(head));
        std::memcpy(Bytes(), staging.data() + head, static_cast<size_t>(lockedBytes - head));
    }
    lockedOffset = -1;
    lockedBytes = 0;
    if (staging.capacity() > kKeptStagingBytes) {
        std::vector<uint8_t>().swap(staging);
    }
    return kResultOk;
}

int32_t SoundBuffer::Play(bool loop)
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    playing = true;
    looping = loop;
    return kResultOk;
}

int32_t SoundBuffer::Stop()
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    playing = false;
    return kResultOk;
}

int32_t SoundBuffer::SetCurrentPosition(int bytes)
{
    if (bytes < 0 || bytes >= sizeBytes) {
        return kResultInvalidParams;
    }
    std::lock_guard<std::mutex> guard(mixer->lock);
    positionFixed = static_cast<uint64_t>(bytes / format.BlockAlign()) << 32;
    return kResultOk;
}

int32_t SoundBuffer::GetCurrentPosition(int* playBytes, int* writeBytes) const
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    const int frame = static_cast<int>(positionFixed >> 32) % FrameCount();
    if (playBytes) {
        *playBytes = frame * format.BlockAlign();
    }
    if (writeBytes) {
        // The mixer may already have read the frame after the cursor for interpolation.
        *writeBytes = (frame + 2) % FrameCount() * format.BlockAlign();
    }
    return kResultOk;
}

int SoundBuffer::GetStatus() const
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    if (!playing) {
        return 0;
    }
    return looping ? kStatusPlaying | kStatusLooping : kStatusPlaying;
}

int32_t SoundBuffer::SetVolume(int hundredthsDb)
{
    if (!(controls & kControlVolume)) {
        return kResultInvalidCall;
    }
    if (hundredthsDb < kVolumeSilentHundredthsDb || hundredthsDb > kVolumeFullHundredthsDb) {
        return kResultInvalidParams;
    }
    const int32_t gain = GainQ16(hundredthsDb);
    std::lock_guard<std::mutex> guard(mixer->lock);
    volumeHundredthsDb = hundredthsDb;
    gainQ16 = gain;
    return kResultOk;
}

int SoundBuffer::GetVolume() const
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    return volumeHundredthsDb;
}

int32_t SoundBuffer::SetFrequency(int hz)
{
    if (!(controls & kControlFrequency)) {
        return kResultInvalidCall;
    }
    const int clamped = hz == 0 ? format.rate : std::clamp(hz, kFrequencyMinHz, kFrequencyMaxHz);
    std::lock_guard<std::mutex> guard(mixer->lock);
    frequencyHz = clamped;
    return kResultOk;
}

int SoundBuffer::GetFrequency() const
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    return frequencyHz;
}

void SoundBuffer::MixInLockedState(int32_t* accumulator, int frames, int outputRate)
{
    const uint64_t step = (static_cast<uint64_t>(frequencyHz) << 32) / static_cast<uint64_t>(outputRate);
    if (format.bits == 16) {
        format.channels == 2 ? MixFramesInLockedState<16, 2>(accumulator, frames, step)
                             : MixFramesInLockedState<16, 1>(accumulator, frames, step);
    } else {
        format.channels == 2 ? MixFramesInLockedState<8, 2>(accumulator, frames, step)
                             : MixFramesInLockedState<8, 1>(accumulator, frames, step);
    }
}

template <int Bits, int Channels>
void SoundBuffer::MixFramesInLockedState(int32_t* accumulator, int frames, uint64_t step)
{
    const int count = FrameCount();
    const uint64_t endFixed = static_cast<uint64_t>(count) << 32;
    const int16_t* words = pcm.get();
    const uint8_t* bytes = Bytes();
    auto sample = [&](int frame, int channel) -> int32_t {
        const int index = frame * Channels + channel;
        if constexpr (Bits == 16) {
            return words[index];
        } else {
            return (static_cast<int32_t>(bytes[index]) - 128) << 8;
        }
    };
    for (int n = 0; n < frames; ++n) {
        if (positionFixed >= endFixed) {
            if (!looping) {
                playing = false;
                positionFixed = 0;
                return;
            }
            positionFixed %= endFixed;
        }
        const int frame = static_cast<int>(positionFixed >> 32);
        int next = frame + 1;
        if (next >= count) {
            next = looping ? 0 : frame;
        }
        const int32_t fraction = static_cast<int32_t>((positionFixed >> (32 - kFractionBits)) & 0x7FFF);
        const int32_t left = Interpolate(sample(frame, 0), sample(next, 0), fraction);
        const int32_t right = Channels == 2 ? Interpolate(sample(frame, 1), sample(next, 1), fraction) : left;
        accumulator[2 * n] += (left * gainQ16) >> 16;
        accumulator[2 * n + 1] += (right * gainQ16) >> 16;
        positionFixed += step;
    }
}

}  // namespace platform
