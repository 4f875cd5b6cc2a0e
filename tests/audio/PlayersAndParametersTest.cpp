#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "audio/AudioEvent.h"
#include "audio/AudioTestSupport.h"
#include "audio/MusicPlayer.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "audio/SpeechPlayer.h"
#include "audio/StreamingSample.h"
#include "audio/Voice.h"
#include "params/SerializerFixture.h"
#include "platform/PlatformResult.h"
#include "platform/SoundDevice.h"
#include "util/Randomizer.h"

using namespace audiotest;

namespace {

class Players : public AudioFixture {
protected:
    void TearDown() override
    {
        MusicPlayer::Release();
        SpeechPlayer::Release();
        AudioFixture::TearDown();
    }
};

}  // namespace

TEST_F(Players, TheEnginesEventsRoundTripWithEveryFieldAndOutOfRangeValuesClamped)
{
    AudioEvent event;
    event.sampleName = "sample_hit 1.wav";
    event.is3d = true;
    event.looping = true;
    event.volume = 0.25f;
    event.volumeVariation = 0.5f;
    event.pitch = 1.5f;
    event.pitchVariation = 0.125f;
    event.priority = 3.0f;
    event.minDistance = 0.5f;
    event.maxDistance = 12.0f;
    event.soundGroup = 2;
    SoundEngine::Instance().AddAudioEvent("hit", event);
    AudioEvent other;
    other.sampleName = "sample_b.wav";
    other.soundGroup = 3;
    SoundEngine::Instance().AddAudioEvent("other", other);
    WriteBlock("params.txt", "Sound Engine", SoundEngine::Instance());
    EXPECT_NE(dir.Read("params.txt").find("[AudioEvent] \"hit\""), std::string::npos);

    SoundEngine::Release();
    SoundEngine& fresh = SoundEngine::Instance();
    fresh.AddAudioEvent("hit", AudioEvent());
    fresh.AddAudioEvent("other", AudioEvent());
    ReadBlock("params.txt", "Sound Engine", fresh);
    // Every value is exact in the file's six decimals; priority and the near distance come back clamped.
    event.priority = 1.0f;
    event.minDistance = 1.0f;
    auto fields = [](const AudioEvent& e) {
        return std::tuple(e.sampleName, e.is3d, e.looping, e.volume, e.volumeVariation, e.pitch, e.pitchVariation,
                          e.priority, e.minDistance, e.maxDistance, e.soundGroup);
    };
    EXPECT_EQ(fields(*fresh.FindAudioEvent("hit")), fields(event));
    EXPECT_EQ(fresh.FindAudioEvent("other")->sampleName, "sample_b.wav");
    EXPECT_EQ(fresh.FindAudioEvent("other")->soundGroup, 3);
}

TEST_F(Players, MusicCyclesThroughItsStatesAndFadesByHalfPerSecond)
{
    dir.Write("data/m.ogg", OggTone(22050, 1, 22050, 8000));
    StreamingSample* stream = SoundEngine::Instance().OpenMusic("m.ogg");
    ASSERT_NE(stream, nullptr);
    MusicPlayer& music = MusicPlayer::Instance();
    music.SetStream(stream);
    Randomizer::Instance().Seed(5);
    music.SetAutomatic(true);
    music.Update(0.1f);
    EXPECT_EQ(music.State(), MusicPlayer::CycleState::Rising);
    EXPECT_TRUE(stream->IsPlaying());
    EXPECT_FLOAT_EQ(stream->GetVolume(), 0.0f);
    for (int i = 0; i < 50; ++i) {
        music.Update(0.1f);
    }
    EXPECT_NEAR(music.CycleVolume(), 0.5f, 0.01f);
    for (int i = 0; i < 60 && music.State() == MusicPlayer::CycleState::Rising; ++i) {
        music.Update(0.1f);
    }
    ASSERT_EQ(music.State(), MusicPlayer::CycleState::Playing);
    EXPECT_GE(music.StateTimeLeft(), 180.0f);
    EXPECT_LT(music.StateTimeLeft(), 300.0f);
    music.Update(300.0f);
    EXPECT_EQ(music.State(), MusicPlayer::CycleState::Falling);
    music.Update(10.0f);
    EXPECT_EQ(music.State(), MusicPlayer::CycleState::Resting);
    EXPECT_FALSE(stream->IsPlaying());
    EXPECT_GE(music.StateTimeLeft(), 60.0f);
    EXPECT_LT(music.StateTimeLeft(), 180.0f);
    music.Update(180.0f);
    EXPECT_EQ(music.State(), MusicPlayer::CycleState::Starting);
    music.Stop();

    // Fades go by half per second.
    music.FadeOut();
    music.Update(1.0f);
    EXPECT_FLOAT_EQ(music.FadeFactor(), 0.5f);
    music.Update(5.0f);
    EXPECT_FLOAT_EQ(music.FadeFactor(), 0.0f);
    music.FadeIn();
    music.Update(0.5f);
    EXPECT_FLOAT_EQ(music.FadeFactor(), 0.25f);
}

TEST_F(Players, SpeechWaitsPlaysAndLetsGo)
{
    dir.Write("data/say.wav", ConstantWav(22050, 1, 1000, 5000));
    DefineEvent("say", "say.wav");
    SoundEngine& engine = SoundEngine::Instance();
    SpeechPlayer& speech = SpeechPlayer::Instance();
    speech.Say(engine.PlayAudioEvent("say", false), 0.25f);
    speech.Update(0.1f);
    speech.Update(0.1f);
    engine.Update(0.1f);
    EXPECT_EQ(SoundingFrames(Pull(100)), 0);
    speech.Update(0.1f);
    engine.Update(0.1f);
    EXPECT_EQ(SoundingFrames(Pull(3000)), 2000);
    speech.Update(0.1f);
    EXPECT_FALSE(speech.IsBusy());
    EXPECT_EQ(engine.VoiceCount(), 0);
}

TEST_F(Players, NoDeviceMeansSilentOperationAndTheDummyDeviceOrAMixerAloneOpen)
{
    SampleManager::Instance().Shutdown();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(SampleManager::Instance().Init());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_NE(LogText().find("SampleManager: DirectSoundCreate"), std::string::npos);
    EXPECT_EQ(SampleManager::Instance().GetMixer(), nullptr);
    dir.Write("data/x.wav", ConstantWav(22050, 1, 2, 1));
    EXPECT_TRUE(SampleManager::Instance().Add("x", "x.wav", Sample::kVolumeControl));
    EXPECT_FALSE(SampleManager::Instance().Find("x")->HasBuffer());

    platform::SoundDevice device;
    device.OpenWithoutOutput(22050);
    ASSERT_TRUE(device.IsOpen());
    EXPECT_FALSE(device.HasOutput());
    EXPECT_EQ(device.GetMixer()->OutputRate(), 22050);
    ASSERT_EQ(device.Open(), platform::kResultOk);
    EXPECT_TRUE(device.HasOutput());
    EXPECT_GT(device.GetMixer()->OutputRate(), 0);
    device.Close();
    EXPECT_FALSE(device.IsOpen());
}
