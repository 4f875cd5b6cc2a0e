#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "audio/AudioTestSupport.h"
#include "audio/SampleManager.h"
#include "audio/SampleStream.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"
#include "platform/Mixer.h"
#include "platform/SoundBuffer.h"

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
    for (auto start = stereo.begin(); stereo.end() - start >= 2 * kWindow; start += 2 * kWindow) {
        run = PeakLeft(std::vector<int16_t>(start, start + 2 * kWindow)) < 100 ? run + kWindow : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// Constant PCM; once armed, the next refill waits inside the decoder until a rewind comes or
// a quarter second has passed, and a rewind notes whether it came during a refill.
class GatedStream : public SampleStream {
public:
    struct Gate {
        std::mutex lock;
        std::condition_variable changed;
        bool armed = false;
        bool refilling = false;
        bool rewound = false;
        bool rewoundDuringRefill = false;
    };

    explicit GatedStream(Gate& shared) : gate(shared) {}
    bool CanOpen(const std::string&) override { return true; }
    bool Open(const std::string&, SampleData&) override { return true; }
    void Close() override {}
    int Refill(uint8_t* buffer, int bytes) override
    {
        std::unique_lock<std::mutex> hold(gate.lock);
        if (gate.armed) {
            gate.armed = false;
            gate.refilling = true;
            gate.changed.notify_all();
            gate.changed.wait_for(hold, std::chrono::milliseconds(250), [this] { return gate.rewound; });
            gate.refilling = false;
        }
        std::memset(buffer, 0x11, static_cast<size_t>(bytes));
        return bytes;
    }
    void Rewind() override
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        gate.rewoundDuringRefill = gate.refilling;
        gate.rewound = true;
        gate.changed.notify_all();
    }

private:
    Gate& gate;
};

// An Ogg file whose middle page is missing: the decoder reports a hole there at every pass.
std::string OggWithAHole()
{
    const std::string whole = OggTone(8000, 1, 15 * 8000, 12000, 1000.0f);
    std::vector<size_t> pages;
    for (size_t at = whole.find("OggS"); at != std::string::npos; at = whole.find("OggS", at + 1)) {
        pages.push_back(at);
    }
    // Two header pages, then audio pages; the second of these goes.
    if (pages.size() < 5) {
        return {};
    }
    return whole.substr(0, pages[3]) + whole.substr(pages[4]);
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST_F(Streaming, PlayOnceStopsShortlyAfterItsEndAndALoopWrapsWithoutGap)
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
    SoundEngine::Instance().DestroyStream(stream);

    dir.Write("data/loop.ogg", OggTone(44100, 2, 13000, 12000));
    stream = SoundEngine::Instance().OpenMusic("loop");
    ASSERT_NE(stream, nullptr);
    stream->PlayLooping();
    out = Run(*stream, 40);
    EXPECT_TRUE(stream->IsPlaying());
    EXPECT_LT(LongestSilentWindowRun(out), kOutputRate / 50);
    EXPECT_EQ(stream->StarvedRefills(), 0);
    SoundEngine::Instance().DestroyStream(stream);
    // A second destroy finds no such stream and touches nothing.
    SoundEngine::Instance().DestroyStream(stream);
    EXPECT_EQ(SoundEngine::Instance().StreamCount(), 0);
}

TEST_F(Streaming, ADecodeErrorIsLoggedOnceAndStopsTheStream)
{
    const std::string broken = OggWithAHole();
    ASSERT_FALSE(broken.empty());
    dir.Write("data/hole.ogg", broken);
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("hole.ogg");
    ASSERT_NE(stream, nullptr);
    stream->PlayLooping();
    // Long enough for two passes over the 9 s of sound left.
    Run(*stream, 200);
    EXPECT_FALSE(stream->IsPlaying());
    EXPECT_FALSE(stream->IsTimerInstalled());
    stream->PlayLooping();
    EXPECT_FALSE(stream->IsPlaying());
    EXPECT_EQ(Occurrences(LogText(), "Oggstream::Refill not ok"), 1u) << LogText();
}

TEST_F(Streaming, RewindWaitsForTheRefillTheTimerIsRunning)
{
    GatedStream::Gate gate;
    std::unique_ptr<platform::SoundBuffer> ring;
    ASSERT_EQ(SampleManager::Instance().GetMixer()->CreateBuffer(platform::SoundFormat{8000, 16, 1}, 16000,
                                                                 platform::kControlVolume, &ring),
              0);
    StreamingSample sample("gated", "gated", Sample::kStream | Sample::kVolumeControl, std::move(ring),
                           std::make_unique<GatedStream>(gate));
    sample.PlayLooping();
    {
        std::lock_guard<std::mutex> hold(gate.lock);
        gate.armed = true;
    }
    // Playing half a second makes room, so the timer's next tick refills.
    Pull(kOutputRate / 2);
    {
        std::unique_lock<std::mutex> hold(gate.lock);
        gate.changed.wait(hold, [&] { return gate.refilling; });
    }
    sample.Rewind();
    EXPECT_TRUE(gate.rewound);
    EXPECT_FALSE(gate.rewoundDuringRefill);
    EXPECT_TRUE(sample.IsTimerInstalled());
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
