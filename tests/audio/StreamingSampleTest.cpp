#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/AudioTestSupport.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"

using namespace audiotest;

namespace {

constexpr int kTickFrames = kOutputRate / 10;

class Streaming : public AudioFixture {
protected:
    // Plays ticks of 100 ms: pulls the mix and refills as the timer would.
    std::vector<int16_t> Run(StreamingSample& stream, int ticks)
    {
        std::vector<int16_t> all;
        for (int i = 0; i < ticks; ++i) {
            auto out = Pull(kTickFrames);
            all.insert(all.end(), out.begin(), out.end());
            stream.TimerTick();
        }
        return all;
    }
};

// The longest run of frames whose 10 ms neighbourhood is silent.
int LongestSilentWindowRun(const std::vector<int16_t>& stereo)
{
    constexpr int kWindow = kOutputRate / 100;
    int longest = 0;
    int run = 0;
    for (size_t start = 0; start + 2 * kWindow <= stereo.size(); start += 2 * kWindow) {
        int peak = 0;
        for (size_t i = start; i < start + 2 * kWindow; i += 2) {
            peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
        }
        run = peak < 100 ? run + kWindow : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

}  // namespace

TEST_F(Streaming, PlayOnceStopsShortlyAfterItsEnd)
{
    dir.Write("data/once.ogg", OggTone(44100, 2, 22050, 12000));
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("once.ogg");
    ASSERT_NE(stream, nullptr);
    stream->Play();
    EXPECT_TRUE(stream->IsPlaying());
    EXPECT_TRUE(stream->IsTimerInstalled());
    auto out = Run(*stream, 20);
    EXPECT_FALSE(stream->IsPlaying());
    const int sounding = SoundingFrames(out);
    EXPECT_GE(sounding, 22050 - 2000);
    EXPECT_LE(sounding, 22050 + 200);
    // Once stopped the ring is silent: nothing old plays after the end.
    EXPECT_EQ(SoundingFrames(std::vector<int16_t>(out.begin() + 2 * 44100, out.end())), 0);
}

TEST_F(Streaming, LoopingStreamWrapsWithoutGap)
{
    dir.Write("data/loop.ogg", OggTone(44100, 2, 13000, 12000));
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("loop");
    ASSERT_NE(stream, nullptr);
    stream->PlayLooping();
    auto out = Run(*stream, 40);
    EXPECT_TRUE(stream->IsPlaying());
    EXPECT_LT(LongestSilentWindowRun(out), kOutputRate / 50);
    EXPECT_EQ(stream->StarvedRefills(), 0);
    SoundEngine::Instance().DestroyStream(stream);
    EXPECT_EQ(SoundEngine::Instance().StreamCount(), 0);
}

TEST_F(Streaming, VolumeFollowsGroupZeroAndMissingStreamsGiveNull)
{
    dir.Write("data/m.ogg", OggTone(22050, 1, 22050, 16000));
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("m.ogg");
    ASSERT_NE(stream, nullptr);
    stream->SetVolume(0.5f);
    SoundEngine::Instance().SetGroupMute(0, 1.0f);
    SoundEngine::Instance().ApplyVolumes();
    stream->PlayLooping();
    EXPECT_EQ(PeakLeft(Run(*stream, 3)), 0);
    EXPECT_FLOAT_EQ(stream->GetVolume(), 0.5f);
    SoundEngine::Instance().SetGroupMute(0, 0.0f);
    SoundEngine::Instance().ApplyVolumes();
    EXPECT_GT(PeakLeft(Run(*stream, 3)), 4000);

    // A missing stream, or any stream of a disabled engine, gives null.
    EXPECT_EQ(SoundEngine::Instance().OpenMusic("none.ogg"), nullptr);
    EXPECT_NE(LogText().find("SampleManager::Load could not load filename none.ogg"), std::string::npos);
    SoundEngine::Instance().Enable(false);
    EXPECT_EQ(SoundEngine::Instance().OpenMusic("m.ogg"), nullptr);
}

TEST_F(Streaming, StreamsComeAndGoWhileTheirTimersRun)
{
    dir.Write("data/s.ogg", OggTone(22050, 2, 8000, 12000));
    SoundEngine& engine = SoundEngine::Instance();
    std::atomic<bool> pulling{true};
    std::thread audio([&] {
        std::vector<int16_t> out(2 * 256);
        while (pulling.load()) {
            SampleManager::Instance().GetMixer()->Mix(out.data(), 256);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    std::vector<StreamingSample*> open;
    for (int round = 0; round < 12; ++round) {
        StreamingSample* stream = engine.OpenMusic("s.ogg");
        ASSERT_NE(stream, nullptr);
        round % 2 ? stream->Play() : stream->PlayLooping();
        open.push_back(stream);
        std::this_thread::sleep_for(std::chrono::milliseconds(35));
        if (open.size() > 3) {
            engine.DestroyStream(open.front());
            open.erase(open.begin());
        }
    }
    engine.DestroyAll();
    pulling.store(false);
    audio.join();
    EXPECT_EQ(engine.StreamCount(), 0);
}
