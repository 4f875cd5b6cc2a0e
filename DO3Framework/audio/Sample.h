#pragma once

#include <memory>
#include <string>

namespace platform {
class SoundBuffer;
}

// A sound buffer and its playback settings. Without a buffer (the file failed to load) it
// takes every call and stays silent.
class Sample {
public:
    // Load flags.
    static constexpr int kVolumeControl = 1;
    static constexpr int kFrequencyControl = 2;
    static constexpr int kStream = 16;

    Sample(std::string name, std::string fileName, int flags, std::unique_ptr<platform::SoundBuffer> buffer);
    virtual ~Sample();
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    // Plays once from the start; nothing while the sound engine is disabled.
    virtual void Play();
    virtual void Stop();
    virtual void PlayLooping();
    virtual bool IsPlaying() const;
    virtual void SetFrequency(int frequencyHz);
    // 1.0 is full volume, 0.1 is -20 dB, 0.00001 and below is silence.
    virtual void SetVolume(float volume);
    virtual float GetFrequency() const { return frequency; }
    virtual float GetVolume() const { return volume; }

    const std::string& Name() const { return name; }
    const std::string& FileName() const { return fileName; }
    int Flags() const { return flags; }
    // The buffer's rate right after creation, 0 without a buffer.
    float BaseFrequency() const { return baseFrequency; }
    bool HasBuffer() const { return buffer != nullptr; }

    static int VolumeToHundredthsDb(float volume);

protected:
    void Start(bool looping);
    platform::SoundBuffer* Buffer() const { return buffer.get(); }

private:
    int flags = 0;
    std::string name;
    std::string fileName;
    std::unique_ptr<platform::SoundBuffer> buffer;
    float baseFrequency = 0.0f;
    float volume = 1.0f;
    float frequency = 1.0f;
};
