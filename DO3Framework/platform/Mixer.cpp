#include "platform/Mixer.h"

#include <algorithm>
#include <new>

#include "platform/PlatformResult.h"
#include "platform/SoundBuffer.h"

namespace platform {

std::shared_ptr<Mixer> Mixer::Create(int outputRate)
{
    return std::shared_ptr<Mixer>(new Mixer(outputRate));
}

int32_t Mixer::CreateBuffer(const SoundFormat& format, int sizeBytes, int controls, std::unique_ptr<SoundBuffer>* out)
{
    out->reset();
    if (!format.IsValid() || sizeBytes < format.BlockAlign() || sizeBytes % format.BlockAlign() != 0) {
        return kResultInvalidParams;
    }
    std::unique_ptr<SoundBuffer> buffer(new SoundBuffer(shared_from_this(), format, sizeBytes, controls));
    const size_t words = (static_cast<size_t>(sizeBytes) + 1) / 2;
    buffer->pcm.reset(new (std::nothrow) int16_t[words]());
    if (!buffer->pcm) {
        return kResultOutOfMemory;
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        buffers.push_back(buffer.get());
    }
    *out = std::move(buffer);
    return kResultOk;
}

void Mixer::Unregister(SoundBuffer* buffer)
{
    std::lock_guard<std::mutex> guard(lock);
    auto found = std::find(buffers.begin(), buffers.end(), buffer);
    if (found != buffers.end()) {
        *found = buffers.back();
        buffers.pop_back();
    }
}

void Mixer::Mix(int16_t* output, int frames)
{
    std::lock_guard<std::mutex> guard(lock);
    while (frames > 0) {
        const int chunk = std::min(frames, kChunkFrames);
        const int samples = chunk * kOutputChannels;
        std::fill_n(accumulator.begin(), samples, 0);
        for (SoundBuffer* buffer : buffers) {
            if (buffer->playing) {
                buffer->MixInLockedState(accumulator.data(), chunk, outputRate);
            }
        }
        for (int i = 0; i < samples; ++i) {
            output[i] = static_cast<int16_t>(std::clamp(accumulator[static_cast<size_t>(i)], -32768, 32767));
        }
        output += samples;
        frames -= chunk;
    }
}

}  // namespace platform
