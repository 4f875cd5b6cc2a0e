#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/SoundFormat.h"

namespace platform {

class SoundBuffer;

// The software mixer: sums every playing buffer into 16-bit stereo at the output rate.
// The audio callback pulls Mix; tests and benchmarks pull it directly without a device.
// Mix never allocates: it works through a fixed accumulator, chunk by chunk.
class Mixer : public std::enable_shared_from_this<Mixer> {
public:
    static constexpr int kOutputChannels = 2;

    static std::shared_ptr<Mixer> Create(int outputRate);

    // A zero-filled buffer of sizeBytes (whole frames, at least one) registered with this
    // mixer; controls are SoundBufferControl bits. Returns a PlatformResult code.
    int32_t CreateBuffer(const SoundFormat& format, int sizeBytes, int controls, std::unique_ptr<SoundBuffer>* out);

    // Fills frames stereo frames (2 x frames samples) with the current mix.
    void Mix(int16_t* output, int frames);

    int OutputRate() const { return outputRate; }

private:
    friend class SoundBuffer;

    explicit Mixer(int rate) : outputRate(rate) {}

    void Unregister(SoundBuffer* buffer);

    static constexpr int kChunkFrames = 512;

    const int outputRate;
    std::mutex lock;
    std::vector<SoundBuffer*> buffers;
    std::array<int32_t, kChunkFrames * kOutputChannels> accumulator{};
};

}  // namespace platform
