#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/SoundFormat.h"

namespace platform {

class Mixer;

// Controls a buffer is created with; the values are those the engine passes in its flags.
enum SoundBufferControl : int {
    kControlFrequency = 0x20,
    kControlVolume = 0x80,
};

// Bits of GetStatus.
enum SoundBufferStatus : int {
    kStatusPlaying = 1,
    kStatusLooping = 4,
};

constexpr int kVolumeSilentHundredthsDb = -10000;
constexpr int kVolumeFullHundredthsDb = 0;
constexpr int kFrequencyMinHz = 100;
constexpr int kFrequencyMaxHz = 200000;

// One sound buffer of the software mixer: its own PCM, cursor, gain and resampling step.
// Every state change takes the mixer's lock, so the audio callback always sees a consistent
// buffer. Writing goes through Lock/Unlock: Lock hands out a staging block, Unlock copies it
// into the PCM under the lock, so a writer never races the callback reading nearby frames.
// Operations return a PlatformResult code (0 on success).
class SoundBuffer {
public:
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // A region of bytes from offsetBytes, wrapping at the end of the buffer into a second part.
    // One region may be locked at a time.
    int32_t Lock(int offsetBytes, int bytes, void** first, int* firstBytes, void** second, int* secondBytes);
    int32_t Unlock();

    int32_t Play(bool looping);
    int32_t Stop();
    int32_t SetCurrentPosition(int bytes);
    // The write cursor is the first byte the mixer has not yet read for interpolation.
    int32_t GetCurrentPosition(int* playBytes, int* writeBytes) const;
    int GetStatus() const;

    int32_t SetVolume(int volumeHundredthsDb);
    int GetVolume() const;
    // 0 restores the buffer's own rate; others are clamped to kFrequencyMinHz..kFrequencyMaxHz.
    int32_t SetFrequency(int frequencyHz);
    int GetFrequency() const;

    int Size() const { return sizeBytes; }
    int Controls() const { return controls; }
    const SoundFormat& Format() const { return format; }

private:
    friend class Mixer;

    SoundBuffer(std::shared_ptr<Mixer> owner, const SoundFormat& format, int sizeBytes, int controls);

    // Called by the mixer with its lock held: adds this buffer's sound to a stereo accumulator.
    void MixInLockedState(int32_t* accumulator, int frames, int outputRate);
    template <int Bits, int Channels>
    void MixFramesInLockedState(int32_t* accumulator, int frames, uint64_t step);

    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(pcm.get()); }
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(pcm.get()); }
    int FrameCount() const { return sizeBytes / format.BlockAlign(); }

    std::shared_ptr<Mixer> mixer;
    SoundFormat format;
    int sizeBytes = 0;
    int controls = 0;
    // Stored as 16-bit words so 16-bit samples are read through their own type.
    std::unique_ptr<int16_t[]> pcm;

    bool playing = false;
    bool looping = false;
    uint64_t positionFixed = 0;  // frames in 32.32 fixed point
    int volumeHundredthsDb = kVolumeFullHundredthsDb;
    int32_t gainQ16 = 65536;
    int frequencyHz = 0;

    std::vector<uint8_t> staging;
    int lockedOffset = -1;
    int lockedBytes = 0;
};

}  // namespace platform
