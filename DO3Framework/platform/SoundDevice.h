#pragma once

#include <cstdint>
#include <memory>

#include "platform/Mixer.h"

namespace platform {

// The audio output: an SDL device whose callback pulls the mixer, or a mixer without any
// device that the caller pulls itself (tests, benchmarks). Closing stops the callback before
// the mixer is let go; buffers keep their mixer alive, so they may outlive the device.
class SoundDevice {
public:
    static constexpr int kPreferredRate = 44100;

    SoundDevice() = default;
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // 16-bit stereo at 44100 Hz or the rate the device grants. Returns a PlatformResult code;
    // on failure nothing is open.
    int32_t Open();
    // A mixer at outputRate that nothing pulls but the caller.
    void OpenWithoutOutput(int outputRate);
    void Close();

    bool IsOpen() const { return mixer != nullptr; }
    bool HasOutput() const { return deviceId != 0; }
    // Null while closed.
    const std::shared_ptr<Mixer>& GetMixer() const { return mixer; }

private:
    static void PullMixer(void* user, uint8_t* stream, int length);

    uint32_t deviceId = 0;
    bool subsystemStarted = false;
    std::shared_ptr<Mixer> mixer;
};

}  // namespace platform
