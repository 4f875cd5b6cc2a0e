#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "audio/AudioEvent.h"
#include "audio/AudioTestSupport.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"
#include "audio/Voice.h"
#include "platform/Mixer.h"

using namespace audiotest;

namespace {

constexpr int kWavLevel = 8000;
constexpr int kWavFrames = 2205;  // 100 ms at 22050 Hz
constexpr int kStreamAmplitude = 6000;

// Plays through SDL's disk driver, which writes the device's output to a file at real speed.
class DiskCapture : public AudioFixture {
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        SampleManager::Instance().Shutdown();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir.Path() / "capture.raw").c_str(), 1);
    }
    void TearDown() override
    {
        AudioFixture::TearDown();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // Runs the engine's frames for a while, as the game does.
    void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            SoundEngine::Instance().Update(0.01f);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::vector<int16_t> Captured() const
    {
        const std::string bytes = dir.Read("capture.raw");
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
};

int FramesAtLevel(const std::vector<int16_t>& stereo, int level)
{
    int count = 0;
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        count += stereo[i] == level && stereo[i + 1] == level ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST_F(DiskCapture, AnEventAndALoopingStreamReachTheDevice)
{
    if (!SampleManager::Instance().Init()) {
        GTEST_SKIP() << "no disk audio driver";
    }
    const int rate = SampleManager::Instance().GetMixer()->OutputRate();
    dir.Write("data/level.wav", ConstantWav(22050, 1, kWavFrames, kWavLevel));
    dir.Write("data/loop.ogg", OggTone(44100, 2, 30000, kStreamAmplitude, 200.0f));
    DefineEvent("level", "level.wav");

    SoundEngine::Instance().PlayAudioEvent("level")->Play();
    RunFrames(30);
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("loop.ogg");
    ASSERT_NE(stream, nullptr);
    stream->PlayLooping();
    RunFrames(150);
    SoundEngine::Instance().DestroyAll();
    SampleManager::Instance().Shutdown();

    const std::vector<int16_t> out = Captured();
    ASSERT_GT(out.size(), static_cast<size_t>(2 * rate));
    // The WAV event: its constant level for exactly its length, resampled to the device rate.
    EXPECT_NEAR(FramesAtLevel(out, kWavLevel), kWavFrames * rate / 22050, 2);
    // The stream still plays at its level when the device closes.
    const std::vector<int16_t> tail(out.end() - rate, out.end() - rate / 5);
    EXPECT_NEAR(PeakLeft(tail), kStreamAmplitude, kStreamAmplitude / 8);
}
