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
        dir.Write("data/" + file, WavFile(22050, 16, 1, Pcm16(std::vector<int16_t>(2205, 10000))));
        return DefineEvent(event, file, copies);
    }
};

}  // namespace

TEST_F(SoundEngineTest, TemporaryVoicePlaysOnceAndGoes)
{
    Define("hit", "hit.wav");
    SoundEngine& engine = SoundEngine::Instance();
    Voice* voice = engine.PlayAudioEvent("hit");
    ASSERT_NE(voice, nullptr);
    voice->Play();
    engine.Update(0.01f);
    EXPECT_TRUE(voice->IsSounding());
    EXPECT_FALSE(voice->IsActive());
    EXPECT_EQ(SoundingFrames(Pull(8000)), 4410);
    engine.Update(0.01f);
    EXPECT_EQ(engine.VoiceCount(), 0);
}

TEST_F(SoundEngineTest, SameEventTwiceUsesTwoCopiesWhenLoaded)
{
    Define("hit", "hit.wav", 2);
    SoundEngine& engine = SoundEngine::Instance();
    Voice* first = engine.PlayAudioEvent("hit");
    Voice* second = engine.PlayAudioEvent("hit");
    first->Play();
    second->Play();
    engine.Update(0.01f);
    ASSERT_NE(first->CurrentSample(), nullptr);
    EXPECT_NE(first->CurrentSample(), second->CurrentSample());
    EXPECT_EQ(Pull(1)[0], 20000);
}

TEST_F(SoundEngineTest, LoopingVoiceKeepsItsSampleUntilHalted)
{
    Define("snore", "snore.wav").looping = true;
    SoundEngine& engine = SoundEngine::Instance();
    Voice* voice = engine.PlayAudioEvent("snore", false);
    voice->Play();
    engine.Update(0.01f);
    Pull(10000);
    engine.Update(0.01f);
    EXPECT_TRUE(voice->IsSounding());
    Sample* copy = voice->CurrentSample();
    voice->Halt();
    engine.Update(0.01f);
    EXPECT_EQ(voice->CurrentSample(), nullptr);
    EXPECT_FALSE(copy->IsPlaying());
    engine.DestroyVoice(voice);
    EXPECT_EQ(engine.VoiceCount(), 0);
}

TEST_F(SoundEngineTest, VolumeVariationIsClamped)
{
    AudioEvent& event = Define("hit", "hit.wav");
    event.volumeVariation = 0.5f;
    Randomizer::Instance().Seed(3);
    float lowest = 1.0f;
    int atFull = 0;
    for (int i = 0; i < 200; ++i) {
        Voice* voice = SoundEngine::Instance().PlayAudioEvent("hit", false);
        EXPECT_GE(voice->VolumeFactor(), 0.5f);
        EXPECT_LE(voice->VolumeFactor(), 1.0f);
        lowest = std::min(lowest, voice->VolumeFactor());
        atFull += voice->VolumeFactor() == 1.0f ? 1 : 0;
        SoundEngine::Instance().DestroyVoice(voice);
    }
    EXPECT_LT(lowest, 0.6f);
    EXPECT_GT(atFull, 60);
}

TEST_F(SoundEngineTest, MutedGroupSoundsAtZeroOthersUnchanged)
{
    Define("one", "one.wav").soundGroup = 1;
    Define("two", "two.wav").soundGroup = 2;
    SoundEngine& engine = SoundEngine::Instance();
    engine.SetGroupMute(1, 1.0f);
    engine.ApplyVolumes();
    Voice* muted = engine.PlayAudioEvent("one");
    Voice* other = engine.PlayAudioEvent("two");
    muted->Play();
    other->Play();
    engine.Update(0.01f);
    ASSERT_NE(muted->CurrentSample(), nullptr);
    EXPECT_EQ(muted->CurrentSample()->GetVolume(), 0.0f);
    EXPECT_EQ(other->CurrentSample()->GetVolume(), 1.0f);
    EXPECT_EQ(Pull(1)[0], 10000);
}

TEST_F(SoundEngineTest, PitchScalesTheFrequency)
{
    Define("hit", "hit.wav").pitch = 2.0f;
    Voice* voice = SoundEngine::Instance().PlayAudioEvent("hit");
    voice->Play();
    SoundEngine::Instance().Update(0.01f);
    EXPECT_EQ(voice->CurrentSample()->GetFrequency(), 44100.0f);
    EXPECT_EQ(SoundingFrames(Pull(8000)), 2205);
}

TEST_F(SoundEngineTest, ThreeDimensionalVoiceNeedsANearListener)
{
    AudioEvent& event = Define("bell", "bell.wav");
    event.is3d = true;
    event.looping = true;
    event.minDistance = 2.0f;
    event.maxDistance = 10.0f;
    SoundEngine& engine = SoundEngine::Instance();
    Voice* voice = engine.PlayAudioEvent("bell", false);
    voice->SetPosition(6, 0);
    voice->Play();
    engine.Update(0.01f);
    EXPECT_FALSE(voice->IsSounding());
    engine.AddListener(0, 0);
    engine.Update(0.01f);
    engine.Update(0.01f);
    ASSERT_TRUE(voice->IsSounding());
    EXPECT_FLOAT_EQ(voice->CurrentSample()->GetVolume(), 0.5f);
}

TEST_F(SoundEngineTest, MissingEventIsReportedAndSilentAndARedefinitionIsIgnored)
{
    SoundEngine& engine = SoundEngine::Instance();
    Voice* voice = engine.PlayAudioEvent("nothing");
    ASSERT_NE(voice, nullptr);
    EXPECT_NE(LogText().find("AudioEvent nothing not found"), std::string::npos);
    EXPECT_NE(engine.FindAudioEvent("nothing"), nullptr);
    voice->Play();
    engine.Update(0.01f);
    EXPECT_EQ(engine.VoiceCount(), 0);

    // An event defined twice keeps its first definition.
    Define("hit", "hit.wav");
    AudioEvent second;
    second.sampleName = "other";
    engine.AddAudioEvent("hit", second);
    EXPECT_EQ(engine.FindAudioEvent("hit")->sampleName, "sample_hit.wav");
    EXPECT_NE(LogText().find("already a audio-event <hit>"), std::string::npos);
}

TEST_F(SoundEngineTest, DisabledEngineGivesNoTemporaryVoice)
{
    Define("hit", "hit.wav");
    SoundEngine& engine = SoundEngine::Instance();
    engine.Enable(false);
    EXPECT_EQ(engine.PlayAudioEvent("hit"), nullptr);
    Voice* bare = engine.PlayAudioEvent("hit", false);
    ASSERT_NE(bare, nullptr);
    bare->Play();
    engine.Update(0.01f);
    EXPECT_FALSE(bare->IsSounding());
}

TEST_F(SoundEngineTest, SoundListLines)
{
    const std::string wav = WavFile(11025, 16, 1, Pcm16({1, 2, 3, 4}));
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
    SoundEngine& engine = SoundEngine::Instance();
    ASSERT_NE(engine.FindAudioEvent("hitA"), nullptr);
    EXPECT_EQ(engine.FindAudioEvent("hitA")->sampleName, "sample_a.wav");
    EXPECT_EQ(engine.FindAudioEvent("hitB")->sampleName, "sample_a.wav");
    EXPECT_EQ(SampleManager::Instance().CountInstances("sample_a.wav"), 1);
    EXPECT_NE(SampleManager::Instance().Find("sample_b.wav"), nullptr);
    EXPECT_EQ(engine.FindAudioEvent("NONE"), nullptr);
    EXPECT_EQ(engine.FindAudioEvent("three"), nullptr);
    EXPECT_EQ(SampleManager::Instance().Find("sample_c.wav"), nullptr);
    EXPECT_FALSE(SfxLoaderUtil::LoadSoundEffects("data\\missing.txt", "sfx\\"));
    EXPECT_NE(LogText().find("SfxLoaderUtil::LoadSoundEffects: Failed to open <data\\missing.txt>!"), std::string::npos);
}

TEST_F(SoundEngineTest, ShutdownTakesBorrowedSamplesBackAndDestroyAllEmptiesEverything)
{
    Define("hit", "hit.wav").looping = true;
    Voice* voice = SoundEngine::Instance().PlayAudioEvent("hit", false);
    voice->Play();
    SoundEngine::Instance().Update(0.01f);
    ASSERT_NE(voice->CurrentSample(), nullptr);
    SampleManager::Instance().Shutdown();
    EXPECT_EQ(voice->CurrentSample(), nullptr);
    SoundEngine::Instance().Update(0.01f);
    EXPECT_EQ(voice->CurrentSample(), nullptr);

    SoundEngine& engine = SoundEngine::Instance();
    engine.PlayAudioEvent("hit", true);
    engine.DestroyAll();
    EXPECT_EQ(engine.VoiceCount(), 0);
    EXPECT_EQ(engine.FindAudioEvent("hit"), nullptr);
    EXPECT_NE(LogText().find("destroy voice: 0"), std::string::npos);
}
