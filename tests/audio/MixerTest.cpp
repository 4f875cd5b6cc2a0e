#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/AudioTestSupport.h"
#include "audio/Sample.h"
#include "platform/Mixer.h"
#include "platform/PlatformResult.h"
#include "platform/SoundBuffer.h"

using audiotest::Pull;
using audiotest::SoundingFrames;
using platform::Mixer;
using platform::SoundBuffer;
using platform::SoundFormat;

namespace {

constexpr int kRate = 44100;
constexpr int kAllControls = platform::kControlVolume | platform::kControlFrequency;

// The two parts of a locked buffer range.
struct Locked {
    void* first = nullptr;
    void* second = nullptr;
    int firstBytes = 0;
    int secondBytes = 0;
};

int Lock(SoundBuffer& buffer, int offset, int bytes, Locked& locked)
{
    return buffer.Lock(offset, bytes, &locked.first, &locked.firstBytes, &locked.second, &locked.secondBytes);
}

std::unique_ptr<SoundBuffer> MakeBuffer(Mixer& mixer, const SoundFormat& format, const std::vector<int16_t>& samples)
{
    std::unique_ptr<SoundBuffer> buffer;
    const int bytes = static_cast<int>(samples.size() * sizeof(int16_t));
    EXPECT_EQ(mixer.CreateBuffer(format, bytes, kAllControls, &buffer), platform::kResultOk);
    Locked locked;
    EXPECT_EQ(Lock(*buffer, 0, bytes, locked), platform::kResultOk);
    std::memcpy(locked.first, samples.data(), static_cast<size_t>(locked.firstBytes));
    EXPECT_EQ(buffer->Unlock(), platform::kResultOk);
    return buffer;
}

std::unique_ptr<SoundBuffer> MakeConstantMono(Mixer& mixer, int frames, int16_t value, int rate = kRate)
{
    return MakeBuffer(mixer, SoundFormat{rate, 16, 1}, std::vector<int16_t>(static_cast<size_t>(frames), value));
}

}  // namespace

TEST(Mixer, OneShotPlaysExactlyItsLengthAndALoopWrapsWithoutGap)
{
    auto mixer = Mixer::Create(kRate);
    auto buffer = MakeConstantMono(*mixer, 1000, 8000);
    buffer->Play(false);
    auto out = Pull(*mixer, 1500);
    EXPECT_EQ(SoundingFrames(out), 1000);
    EXPECT_EQ(out[0], 8000);
    EXPECT_EQ(out[1], 8000);
    EXPECT_EQ(out[2 * 999], 8000);
    EXPECT_EQ(out[2 * 1000], 0);
    EXPECT_EQ(buffer->GetStatus(), 0);

    // A loop wraps without a gap.
    buffer = MakeConstantMono(*mixer, 300, 5000);
    buffer->Play(true);
    out = Pull(*mixer, 2000);
    EXPECT_EQ(SoundingFrames(out), 2000);
    EXPECT_EQ(buffer->GetStatus(), platform::kStatusPlaying | platform::kStatusLooping);
    int play = -1;
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 2000 % 300 * 2);
}

TEST(Mixer, VolumeInHundredthsOfADecibelAsSamplesMapTheirLevels)
{
    EXPECT_EQ(Sample::VolumeToHundredthsDb(1.0f), 0);
    EXPECT_EQ(Sample::VolumeToHundredthsDb(0.1f), -2000);
    EXPECT_EQ(Sample::VolumeToHundredthsDb(0.00001f), -10000);
    EXPECT_EQ(Sample::VolumeToHundredthsDb(0.0f), -10000);
    EXPECT_EQ(Sample::VolumeToHundredthsDb(2.0f), 0);
    auto mixer = Mixer::Create(kRate);
    auto buffer = MakeConstantMono(*mixer, 100, 10000);
    buffer->SetVolume(-2000);
    buffer->Play(false);
    EXPECT_EQ(Pull(*mixer, 1)[0], 1000);
    buffer->SetVolume(-10000);
    EXPECT_EQ(Pull(*mixer, 1)[0], 0);
    EXPECT_EQ(buffer->SetVolume(1), platform::kResultInvalidParams);
    EXPECT_EQ(buffer->GetVolume(), -10000);
}

TEST(Mixer, FrequencyAndRateSetTheStepThroughTheBuffer)
{
    auto mixer = Mixer::Create(kRate);
    auto buffer = MakeConstantMono(*mixer, 1000, 3000);
    buffer->SetFrequency(2 * kRate);
    buffer->Play(false);
    EXPECT_EQ(SoundingFrames(Pull(*mixer, 1000)), 500);

    // A lower rate is resampled by interpolation.
    buffer = MakeBuffer(*mixer, SoundFormat{kRate / 2, 16, 1}, {0, 1000, 2000, 3000});
    buffer->Play(false);
    auto out = Pull(*mixer, 10);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 500);
    EXPECT_EQ(out[4], 1000);
    EXPECT_EQ(out[6], 1500);
    EXPECT_EQ(SoundingFrames(out), 7);
}

TEST(Mixer, StereoAndEightBitBuffersMixIntoAClampedSum)
{
    auto mixer = Mixer::Create(kRate);
    auto stereo = MakeBuffer(*mixer, SoundFormat{kRate, 16, 2}, {1000, -2000, 1000, -2000});
    std::unique_ptr<SoundBuffer> eight;
    ASSERT_EQ(mixer->CreateBuffer(SoundFormat{kRate, 8, 1}, 2, 0, &eight), platform::kResultOk);
    Locked locked;
    ASSERT_EQ(Lock(*eight, 0, 2, locked), platform::kResultOk);
    static_cast<uint8_t*>(locked.first)[0] = 128 + 10;
    static_cast<uint8_t*>(locked.first)[1] = 128 + 10;
    eight->Unlock();
    stereo->Play(false);
    eight->Play(false);
    auto out = Pull(*mixer, 1);
    EXPECT_EQ(out[0], 1000 + (10 << 8));
    EXPECT_EQ(out[1], -2000 + (10 << 8));
    EXPECT_EQ(eight->SetVolume(-100), platform::kResultInvalidCall);

    // The sum is clamped to sixteen bits.
    auto a = MakeConstantMono(*mixer, 10, 30000);
    auto b = MakeConstantMono(*mixer, 10, 30000);
    a->Play(false);
    b->Play(false);
    EXPECT_EQ(Pull(*mixer, 1)[0], 32767);
}

TEST(Mixer, LockWrapsAroundTheEndAndBadRequestsAreRefused)
{
    auto mixer = Mixer::Create(kRate);
    auto buffer = MakeConstantMono(*mixer, 8, 0);
    Locked locked;
    ASSERT_EQ(Lock(*buffer, 12, 8, locked), platform::kResultOk);
    EXPECT_EQ(locked.firstBytes, 4);
    EXPECT_EQ(locked.secondBytes, 4);
    EXPECT_EQ(Lock(*buffer, 0, 2, locked), platform::kResultInvalidCall);
    const int16_t values[4] = {1, 2, 3, 4};
    std::memcpy(locked.first, values, 4);
    std::memcpy(locked.second, values + 2, 4);
    ASSERT_EQ(buffer->Unlock(), platform::kResultOk);
    buffer->Play(false);
    auto out = Pull(*mixer, 8);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[2], 4);
    EXPECT_EQ(out[12], 1);
    EXPECT_EQ(out[14], 2);

    EXPECT_EQ(Lock(*buffer, 16, 2, locked), platform::kResultInvalidParams);
    EXPECT_EQ(Lock(*buffer, 0, 17, locked), platform::kResultInvalidParams);
    EXPECT_EQ(buffer->Unlock(), platform::kResultInvalidCall);
    EXPECT_EQ(buffer->SetCurrentPosition(16), platform::kResultInvalidParams);
    std::unique_ptr<SoundBuffer> refused;
    EXPECT_EQ(mixer->CreateBuffer(SoundFormat{kRate, 12, 1}, 100, 0, &refused), platform::kResultInvalidParams);
    EXPECT_EQ(mixer->CreateBuffer(SoundFormat{kRate, 16, 2}, 6, 0, &refused), platform::kResultInvalidParams);
    EXPECT_EQ(refused, nullptr);

    // A buffer may outlive its mixer.
    mixer.reset();
    EXPECT_EQ(buffer->Play(false), platform::kResultOk);
}
