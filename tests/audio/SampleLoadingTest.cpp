#include <gtest/gtest.h>

#include "app/Debug.h"
#include "audio/AudioTestSupport.h"
#include "audio/OggLoader.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "audio/WavLoader.h"

using namespace audiotest;

namespace {

constexpr int kEffectFlags = Sample::kVolumeControl | Sample::kFrequencyControl;

using SampleLoading = AudioFixture;

}  // namespace

TEST_F(SampleLoading, StereoAboveTheLowRateBecomesMonoAtHalfRateAndPlaysItsOriginalDuration)
{
    std::vector<int16_t> pcm;
    for (int i = 0; i < 8; ++i) {
        pcm.push_back(static_cast<int16_t>(1000 * i));
        pcm.push_back(static_cast<int16_t>(-1000 * i + 3));
    }
    dir.Write("data/s.wav", WavFile(44100, 16, 2, Pcm16(pcm)));
    SampleData data;
    ASSERT_TRUE(WavLoader().Load("s.wav", data));
    EXPECT_EQ(data.frames, 8);
    SampleManager::Resample(data);
    EXPECT_EQ((std::vector<int>{data.channels, data.rate, data.frames, data.bytes}), (std::vector<int>{1, 22050, 4, 8}));
    // Frame i of the result is the mono frame 2i: (1000i + (-1000i + 3)) / 2 = 1.
    const auto* words = reinterpret_cast<const int16_t*>(data.data.data());
    EXPECT_EQ((std::vector<int16_t>(words, words + 4)), (std::vector<int16_t>{1, 1, 1, 1}));

    dir.Write("data/long.wav", ConstantWav(44100, 2, 4410, 6000));
    ASSERT_TRUE(SampleManager::Instance().Add("long", "long.wav", kEffectFlags));
    Sample* sample = SampleManager::Instance().Find("long");
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->BaseFrequency(), 22050.0f);
    sample->Play();
    auto out = Pull(6000);
    EXPECT_EQ(SoundingFrames(out), 4410);
    EXPECT_EQ(out[0], 6000);
}

TEST_F(SampleLoading, EightBitLoadsUnchangedWithAWarning)
{
    const std::string pcm = {char(128), char(200), char(50), char(128)};
    dir.Write("data/e.wav", WavFile(44100, 8, 2, pcm));
    SampleData data;
    ASSERT_TRUE(WavLoader().Load("e.wav", data));
    const int warnings = Debug::Instance().WarningCount();
    SampleManager::Resample(data);
    EXPECT_EQ(Debug::Instance().WarningCount(), warnings + 1);
    EXPECT_NE(LogText().find("SampleManager::Resample not 16bit samples"), std::string::npos);
    EXPECT_EQ((std::vector<int>{data.rate, data.channels, data.frames}), (std::vector<int>{44100, 2, 2}));
    EXPECT_EQ(std::string(data.data.begin(), data.data.end()), pcm);
}

TEST_F(SampleLoading, NameWithoutExtensionPrefersOggAndAnExtensionMustMatchTheLoader)
{
    dir.Write("data/snd.WAV", ConstantWav(8000, 1, 100, 100));
    ASSERT_TRUE(SampleManager::Instance().Add("wav", "snd", kEffectFlags));
    EXPECT_EQ(SampleManager::Instance().Find("wav")->BaseFrequency(), 8000.0f);
    dir.Write("data/snd.OGG", OggTone(16000, 1, 1600, 8000));
    ASSERT_TRUE(SampleManager::Instance().Add("ogg", "snd", kEffectFlags));
    EXPECT_EQ(SampleManager::Instance().Find("ogg")->BaseFrequency(), 16000.0f);

    dir.Write("data/a.wav", ConstantWav(8000, 1, 10, 1));
    EXPECT_TRUE(WavLoader().CanLoad("a.wav"));
    EXPECT_FALSE(OggLoader().CanLoad("a.wav"));
    EXPECT_FALSE(WavLoader().CanLoad("missing.wav"));
    dir.Write("data/empty.wav", "");
    EXPECT_FALSE(WavLoader().CanLoad("empty.wav"));
}

TEST_F(SampleLoading, MissingFileOrADisabledEngineGivesASilentSampleThatPlaysWithoutHarm)
{
    ASSERT_TRUE(SampleManager::Instance().Add("gone", "nothing.wav", kEffectFlags));
    Sample* sample = SampleManager::Instance().Find("gone");
    ASSERT_NE(sample, nullptr);
    EXPECT_FALSE(sample->HasBuffer());
    EXPECT_NE(LogText().find("SampleManager::Load could not load filename nothing.wav"), std::string::npos);
    sample->Play();
    sample->SetVolume(0.5f);
    sample->SetFrequency(11025);
    EXPECT_FALSE(sample->IsPlaying());
    EXPECT_EQ(SoundingFrames(Pull(100)), 0);

    SoundEngine::Instance().Enable(false);
    dir.Write("data/d.wav", ConstantWav(8000, 1, 10, 1));
    EXPECT_EQ(SampleManager::Instance().Load("d", "d.wav", kEffectFlags), nullptr);
    EXPECT_FALSE(SampleManager::Instance().Add("d", "d.wav", kEffectFlags));
}
