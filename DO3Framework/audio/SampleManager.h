#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/SampleData.h"
#include "audio/SampleLoader.h"
#include "params/Object.h"
#include "platform/SoundDevice.h"
#include "util/Singleton.h"

class Sample;
class StreamingSample;

namespace platform {
class SoundBuffer;
}

// Opens the sound device and owns every loaded sample under its name; several samples may
// share a name so that copies of one sound can overlap.
class SampleManager : public Singleton<SampleManager>, public Object {
public:
    SampleManager();
    ~SampleManager() override;

    // Opens the audio device (44100 Hz 16-bit stereo or what it grants). False, with the error
    // logged, when no device opens; the program then runs silent.
    bool Init();
    // A mixer that only the caller pulls (tests, benchmarks): GetMixer()->Mix.
    void InitWithoutOutput(int outputRate = platform::SoundDevice::kPreferredRate);
    // Releases every sample and closes the device; Init may follow.
    void Shutdown();
    bool IsInitialized() const { return initialized; }
    platform::Mixer* GetMixer() const { return device.GetMixer().get(); }

    // A sample of the file, silent when it could not be loaded; a stream when flags has
    // Sample::kStream (null when no stream type opens it). Null while the sound engine is disabled.
    std::unique_ptr<Sample> Load(const std::string& name, const std::string& fileName, int flags);
    std::unique_ptr<StreamingSample> LoadStream(const std::string& name, const std::string& fileName, int flags);
    bool Add(const std::string& name, const std::string& fileName, int flags);
    Sample* Find(const std::string& name) const;
    // The first copy of the name that is not playing; if all play, the first, stopped.
    Sample* GetFreeInstance(const std::string& name);
    int CountInstances(const std::string& name) const;

    std::unique_ptr<platform::SoundBuffer> CreateSoundBuffer(const SampleData& data, int flags);
    // Reduces 16-bit sound for buffer memory: stereo to mono, rates above 22100 Hz halved.
    static void Resample(SampleData& data);

    void Parameters(Serializer& serializer, const std::string& name) override;

private:
    void LogRegisteredTypes() const;
    void CreateLoaders();
    std::unique_ptr<Sample> LoadWhole(const std::string& name, const std::string& fileName, int flags);

    platform::SoundDevice device;
    bool initialized = false;
    std::vector<std::unique_ptr<SampleLoader>> loaders;
    std::map<std::string, Sample*> firstByName;
    std::multimap<std::string, std::unique_ptr<Sample>> samples;
};
