#include "audio/AudioTestSupport.h"

#include <cmath>
#include <cstdlib>

#include "app/Debug.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "platform/Mixer.h"

namespace audiotest {

std::string ConstantWav(int rate, int channels, int frames, int16_t value)
{
    return WavFile(rate, 16, channels, Pcm16(std::vector<int16_t>(static_cast<size_t>(frames * channels), value)));
}

std::vector<int16_t> Pull(platform::Mixer& mixer, int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

int SoundingFrames(const std::vector<int16_t>& stereo)
{
    int count = 0;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        count += stereo[i] != 0 ? 1 : 0;
    }
    return count;
}

int PeakLeft(const std::vector<int16_t>& stereo)
{
    int peak = 0;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
    }
    return peak;
}

void AudioFixture::SetUp()
{
    Debug::Instance().CreateLogFile("debug.txt");
    SoundEngine::Release();
    SampleManager::Release();
    SoundEngine::Instance().Enable(true);
    SampleManager::Instance().InitWithoutOutput(kOutputRate);
}

void AudioFixture::TearDown()
{
    SoundEngine::Release();
    SampleManager::Release();
}

std::vector<int16_t> AudioFixture::Pull(int frames)
{
    return audiotest::Pull(*SampleManager::Instance().GetMixer(), frames);
}

std::string AudioFixture::LogText() const
{
    return dir.Read("debug.txt");
}

AudioEvent& AudioFixture::DefineEvent(const std::string& event, const std::string& file, int copies)
{
    for (int i = 0; i < copies; ++i) {
        SampleManager::Instance().Add("sample_" + file, file, Sample::kVolumeControl | Sample::kFrequencyControl);
    }
    AudioEvent definition;
    definition.sampleName = "sample_" + file;
    SoundEngine::Instance().AddAudioEvent(event, definition);
    return const_cast<AudioEvent&>(*SoundEngine::Instance().FindAudioEvent(event));
}

}  // namespace audiotest
