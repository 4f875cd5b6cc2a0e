// Speed of the audio layer: the software mixer with many voices, Ogg stream refills, and a
// looping music stream kept fed by its timer while the main thread is busy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

#include "audio/OggStream.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"
#include "audio/TestSounds.h"
#include "platform/Mixer.h"
#include "platform/SoundBuffer.h"

namespace {

constexpr int kOutputRate = 44100;
constexpr int kPullFrames = 1024;
constexpr int kEffectRate = 22050;
constexpr int kStreamRate = 44100;
constexpr int kStreamChannels = 2;

namespace fs = std::filesystem;

// A data directory of its own, made the working directory while the program runs.
class BenchData {
public:
    BenchData()
        : previous(fs::current_path()),
          path(fs::temp_directory_path() / ("qmbench-audio-" + std::to_string(::getpid())))
    {
        fs::create_directories(path / "data");
        fs::current_path(path);
        std::ofstream(path / "data" / "music.ogg", std::ios::binary)
            << audiotest::OggTone(kStreamRate, kStreamChannels, 10 * kStreamRate, 12000, 330.0f);
    }
    ~BenchData()
    {
        std::error_code ignored;
        fs::current_path(previous, ignored);
        fs::remove_all(path, ignored);
    }

private:
    fs::path previous;
    fs::path path;
};

BenchData& Data()
{
    static BenchData data;
    return data;
}

// Looping one-second effects at different pitches and volumes, as the sound engine plays them.
std::vector<std::unique_ptr<platform::SoundBuffer>> StartVoices(platform::Mixer& mixer, int count)
{
    const auto tone = audiotest::Tone(kEffectRate, 1, kEffectRate, 12000);
    std::vector<std::unique_ptr<platform::SoundBuffer>> voices;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<platform::SoundBuffer> buffer;
        const int bytes = static_cast<int>(tone.size() * sizeof(int16_t));
        mixer.CreateBuffer(platform::SoundFormat{kEffectRate, 16, 1}, bytes,
                           platform::kControlVolume | platform::kControlFrequency, &buffer);
        void* first = nullptr;
        void* second = nullptr;
        int firstBytes = 0;
        int secondBytes = 0;
        buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes);
        std::memcpy(first, tone.data(), static_cast<size_t>(firstBytes));
        buffer->Unlock();
        buffer->SetFrequency(kEffectRate * (8 + i % 9) / 10);
        buffer->SetVolume(-(i * 150) % 3000);
        buffer->Play(true);
        voices.push_back(std::move(buffer));
    }
    return voices;
}

void MixOneSecond(benchmark::State& state, int voiceCount)
{
    auto mixer = platform::Mixer::Create(kOutputRate);
    auto voices = StartVoices(*mixer, voiceCount);
    std::vector<int16_t> out(kPullFrames * platform::Mixer::kOutputChannels);
    for (auto _ : state) {
        for (int done = 0; done < kOutputRate; done += kPullFrames) {
            mixer->Mix(out.data(), std::min(kPullFrames, kOutputRate - done));
        }
        benchmark::DoNotOptimize(out.data());
    }
}

void Mix1Voice(benchmark::State& state)
{
    MixOneSecond(state, 1);
}

void Mix8Voices(benchmark::State& state)
{
    MixOneSecond(state, 8);
}

void Mix32Voices(benchmark::State& state)
{
    MixOneSecond(state, 32);
}

// One second of the stream decoded in 4096-byte steps and written into a one-second ring.
void OggDecodeSecond(benchmark::State& state)
{
    Data();
    OggStream stream;
    SampleData format;
    if (!stream.Open("music.ogg", format)) {
        state.SkipWithError("music.ogg does not open");
        return;
    }
    auto mixer = platform::Mixer::Create(kOutputRate);
    const int ringBytes = kStreamRate * kStreamChannels * 2;
    std::unique_ptr<platform::SoundBuffer> ring;
    mixer->CreateBuffer(platform::SoundFormat{kStreamRate, 16, kStreamChannels}, ringBytes, platform::kControlVolume,
                        &ring);
    std::vector<uint8_t> scratch(4096);
    int writePosition = 0;
    for (auto _ : state) {
        for (int left = ringBytes; left > 0;) {
            const int got = stream.Refill(scratch.data(), std::min(4096, left));
            if (got <= 0) {
                continue;  // the stream started over
            }
            void* first = nullptr;
            void* second = nullptr;
            int firstBytes = 0;
            int secondBytes = 0;
            ring->Lock(writePosition, got, &first, &firstBytes, &second, &secondBytes);
            std::memcpy(first, scratch.data(), static_cast<size_t>(firstBytes));
            if (second) {
                std::memcpy(second, scratch.data() + firstBytes, static_cast<size_t>(secondBytes));
            }
            ring->Unlock();
            writePosition = (writePosition + got) % ringBytes;
            left -= got;
        }
    }
}

// Sixty seconds of looping music at real speed: an audio thread pulls the mix as a device
// would, the main thread runs 100 frames a second busy for 8 ms each, and the stream's own
// timer refills. Reports the refills that found less than a quarter second ahead.
void LoopingStreamSixtySeconds(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Data();
    SoundEngine::Instance().Enable(true);
    SampleManager::Instance().InitWithoutOutput(kOutputRate);
    for (auto _ : state) {
        StreamingSample* stream = SoundEngine::Instance().OpenMusic("music.ogg");
        if (!stream) {
            state.SkipWithError("music.ogg does not open");
            return;
        }
        stream->PlayLooping();
        std::atomic<bool> running{true};
        std::thread device([&] {
            std::vector<int16_t> out(kPullFrames * platform::Mixer::kOutputChannels);
            const auto period = std::chrono::microseconds(1000000LL * kPullFrames / kOutputRate);
            for (auto next = Clock::now(); running.load(); next += period) {
                SampleManager::Instance().GetMixer()->Mix(out.data(), kPullFrames);
                std::this_thread::sleep_until(next + period);
            }
        });
        for (int frame = 0; frame < 6000; ++frame) {
            const auto start = Clock::now();
            while (Clock::now() - start < std::chrono::milliseconds(8)) {
            }
            std::this_thread::sleep_until(start + std::chrono::milliseconds(10));
        }
        running.store(false);
        device.join();
        state.counters["starved_refills"] = stream->StarvedRefills();
        SoundEngine::Instance().DestroyStream(stream);
    }
    SampleManager::Instance().Shutdown();
}

}  // namespace

BENCHMARK(Mix1Voice)->Unit(benchmark::kMillisecond);
BENCHMARK(Mix8Voices)->Unit(benchmark::kMillisecond);
BENCHMARK(Mix32Voices)->Unit(benchmark::kMillisecond);
BENCHMARK(OggDecodeSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(LoopingStreamSixtySeconds)->Iterations(1)->Unit(benchmark::kSecond);
