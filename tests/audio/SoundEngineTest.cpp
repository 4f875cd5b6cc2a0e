#include <gtest/gtest.h>

#include "audio/AudioEvent.h"
#include "audio/AudioTestSupport.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SfxLoaderUtil.h"
#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "util/Randomizer.h"

using namespace audiotest;

namespace {

class SoundEngineTest : public AudioFixture {
protected:
    // A 100 ms constant sample named "sample_<file>" and an event for it.
    AudioEvent& Define(const std::string& event, const std::string& file, int copies = 1)
    {
        dir.Write("data/" + file, ConstantWav(22050, 1, 2205, 10000));
        return DefineEvent(event, file, copies);
    }
    // A new voice of the event, playing; the engine's next frame gives it its sample.
    static Voice* Start(const std::string& event, bool temporary = true)
    {
        Voice* voice = Engine().PlayAudioEvent(event, temporary);
        if (voice) {
            voice->Play();
        }
        Engine().Update(0.01f);
        return voice;
    }
    static SoundEngine& Engine() { return SoundEngine::Instance(); }
};

}  // namespace

TEST_F(SoundEngineTest, TemporaryVoicesPlayOnceAtTheirPitchAndGo)
{
    Define("hit", "hit.wav");
    Define("high", "high.wav").pitch = 2.0f;
    Voice* voice = Start("hit");
    ASSERT_NE(voice, nullptr);
    EXPECT_TRUE(voice->IsSounding());
    EXPECT_FALSE(voice->IsActive());
    EXPECT_EQ(SoundingFrames(Pull(8000)), 4410);
    Engine().Update(0.01f);
    EXPECT_EQ(Engine().VoiceCount(), 0);

    voice = Start("high");
    EXPECT_EQ(voice->CurrentSample()->GetFrequency(), 44100.0f);
    EXPECT_EQ(SoundingFrames(Pull(8000)), 2205);
}

TEST_F(SoundEngineTest, TwoCopiesPlayTogetherAndWhenBothPlayTheFirstStartsOver)
{
    Define("hit", "hit.wav", 2);
    Voice* first = Engine().PlayAudioEvent("hit");
    Voice* second = Engine().PlayAudioEvent("hit");
    first->Play();
    second->Play();
    Engine().Update(0.01f);
    Sample* oldest = first->CurrentSample();
    ASSERT_NE(oldest, nullptr);
    EXPECT_NE(oldest, second->CurrentSample());
    EXPECT_EQ(Pull(1)[0], 20000);

    SampleManager& manager = SampleManager::Instance();
    EXPECT_EQ(manager.GetFreeInstance("sample_hit.wav"), oldest);
    EXPECT_FALSE(oldest->IsPlaying());
    EXPECT_EQ(manager.Find("sample_hit.wav"), oldest);
    EXPECT_EQ(manager.GetFreeInstance(""), nullptr);
    EXPECT_EQ(manager.GetFreeInstance("other"), nullptr);
}

TEST_F(SoundEngineTest, VolumeVariationIsClamped)
{
    AudioEvent& event = Define("hit", "hit.wav");
    event.volumeVariation = 0.5f;
    Randomizer::Instance().Seed(3);
    float lowest = 1.0f;
    int atFull = 0;
    for (int i = 0; i < 200; ++i) {
        Voice* voice = Engine().PlayAudioEvent("hit", false);
        EXPECT_GE(voice->VolumeFactor(), 0.5f);
        EXPECT_LE(voice->VolumeFactor(), 1.0f);
        lowest = std::min(lowest, voice->VolumeFactor());
        atFull += voice->VolumeFactor() == 1.0f ? 1 : 0;
        Engine().DestroyVoice(voice);
    }
    EXPECT_LT(lowest, 0.6f);
    EXPECT_GT(atFull, 60);
}

TEST_F(SoundEngineTest, AMutedGroupSoundsAtZeroAndA3dVoiceNeedsANearListener)
{
    Define("one", "one.wav").soundGroup = 1;
    Define("two", "two.wav").soundGroup = 2;
    Engine().SetGroupMute(1, 1.0f);
    Engine().ApplyVolumes();
    Voice* muted = Engine().PlayAudioEvent("one");
    Voice* other = Engine().PlayAudioEvent("two");
    muted->Play();
    other->Play();
    Engine().Update(0.01f);
    ASSERT_NE(muted->CurrentSample(), nullptr);
    EXPECT_EQ(muted->CurrentSample()->GetVolume(), 0.0f);
    EXPECT_EQ(other->CurrentSample()->GetVolume(), 1.0f);
    EXPECT_EQ(Pull(1)[0], 10000);

    AudioEvent& bell = Define("bell", "bell.wav");
    bell.soundGroup = 2;
    bell.is3d = true;
    bell.looping = true;
    bell.minDistance = 2.0f;
    bell.maxDistance = 10.0f;
    Voice* voice = Engine().PlayAudioEvent("bell", false);
    voice->SetPosition(6, 0);
    voice->Play();
    Engine().Update(0.01f);
    EXPECT_FALSE(voice->IsSounding());
    Engine().AddListener(0, 0);
    Engine().Update(0.01f);
    Engine().Update(0.01f);
    ASSERT_TRUE(voice->IsSounding());
    EXPECT_FLOAT_EQ(voice->CurrentSample()->GetVolume(), 0.5f);
}

TEST_F(SoundEngineTest, AMissingEventOrADisabledEngineStaysSilentAndARedefinitionIsIgnored)
{
    EXPECT_NE(Start("nothing"), nullptr);
    EXPECT_NE(LogText().find("AudioEvent nothing not found"), std::string::npos);
    EXPECT_NE(Engine().FindAudioEvent("nothing"), nullptr);
    EXPECT_EQ(Engine().VoiceCount(), 0);

    Define("hit", "hit.wav");
    AudioEvent second;
    second.sampleName = "other";
    Engine().AddAudioEvent("hit", second);
    EXPECT_EQ(Engine().FindAudioEvent("hit")->sampleName, "sample_hit.wav");
    EXPECT_NE(LogText().find("already a audio-event <hit>"), std::string::npos);

    Engine().Enable(false);
    EXPECT_EQ(Engine().PlayAudioEvent("hit"), nullptr);
    Voice* bare = Start("hit", false);
    ASSERT_NE(bare, nullptr);
    EXPECT_FALSE(bare->IsSounding());
}

TEST_F(SoundEngineTest, SoundListLines)
{
    const std::string wav = ConstantWav(11025, 1, 4, 1);
    dir.Write("data/sfx/a.wav", wav);
    dir.Write("data/sfx/b.wav", wav);
    dir.Write("data/sfx/c.wav", wav);
    dir.Write("data/list.txt",
              "# comment line\n"
              "hitA a.wav\n"
              "hitB\ta.wav\n"
              "NONE b.wav\n"
              "three tokens c.wav\n"
              "\n"
              "#hidden c.wav\n");
    ASSERT_TRUE(SfxLoaderUtil::LoadSoundEffects("data\\list.txt", "sfx\\"));
    ASSERT_NE(Engine().FindAudioEvent("hitA"), nullptr);
    EXPECT_EQ(Engine().FindAudioEvent("hitA")->sampleName, "sample_a.wav");
    EXPECT_EQ(Engine().FindAudioEvent("hitB")->sampleName, "sample_a.wav");
    EXPECT_EQ(SampleManager::Instance().CountInstances("sample_a.wav"), 1);
    EXPECT_NE(SampleManager::Instance().Find("sample_b.wav"), nullptr);
    EXPECT_EQ(Engine().FindAudioEvent("NONE"), nullptr);
    EXPECT_EQ(Engine().FindAudioEvent("three"), nullptr);
    EXPECT_EQ(SampleManager::Instance().Find("sample_c.wav"), nullptr);
    EXPECT_FALSE(SfxLoaderUtil::LoadSoundEffects("data\\missing.txt", "sfx\\"));
    EXPECT_NE(LogText().find("SfxLoaderUtil::LoadSoundEffects: Failed to open <data\\missing.txt>!"), std::string::npos);
}

TEST_F(SoundEngineTest, ALoopingVoiceKeepsItsSampleUntilHaltedOrTheSamplesShutDown)
{
    Define("snore", "snore.wav").looping = true;
    Voice* voice = Start("snore", false);
    Pull(10000);
    Engine().Update(0.01f);
    EXPECT_TRUE(voice->IsSounding());
    Sample* copy = voice->CurrentSample();
    voice->Halt();
    Engine().Update(0.01f);
    EXPECT_EQ(voice->CurrentSample(), nullptr);
    EXPECT_FALSE(copy->IsPlaying());
    Engine().DestroyVoice(voice);
    EXPECT_EQ(Engine().VoiceCount(), 0);

    voice = Start("snore", false);
    ASSERT_NE(voice->CurrentSample(), nullptr);
    SampleManager::Instance().Shutdown();
    EXPECT_EQ(voice->CurrentSample(), nullptr);
    Engine().Update(0.01f);
    EXPECT_EQ(voice->CurrentSample(), nullptr);

    Engine().PlayAudioEvent("snore", true);
    Engine().DestroyAll();
    EXPECT_EQ(Engine().VoiceCount(), 0);
    EXPECT_EQ(Engine().FindAudioEvent("snore"), nullptr);
    EXPECT_NE(LogText().find("destroy voice: 0"), std::string::npos);
}
