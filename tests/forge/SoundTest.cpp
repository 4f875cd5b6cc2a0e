#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "audio/AudioEvent.h"
#include "audio/OggStream.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SfxLoaderUtil.h"
#include "audio/SoundEngine.h"
#include "audio/WavLoader.h"
#include "core/ForgeOutput.h"
#include "forge/ForgeTestSupport.h"
#include "data/SoundEventTable.h"
#include "sound/Biquad.h"
#include "sound/ForgeSounds.h"
#include "sound/Limiter.h"
#include "sound/PcmEncoding.h"
#include "sound/Reverb.h"
#include "sound/Score.h"
#include "sound/StereoMix.h"
#include "sound/Synth.h"
#include "support/TempDir.h"

// The animations' event maps name sounds too; their lists join the check once they exist.
#if __has_include("figures/FigureSoundEvents.h")
#include "figures/FigureSoundEvents.h"
#define QM_FIGURE_SOUND_EVENTS 1
#endif
#if __has_include("items/ItemSoundEvents.h")
#include "items/ItemSoundEvents.h"
#define QM_ITEM_SOUND_EVENTS 1
#endif

namespace {

namespace fs = std::filesystem;

// Every fixed event name the game can ask for, the hunter's and the never-played ones included.
const std::vector<std::string> kFixedEvents = {
    "stopwatchSound", "dwarfRoundFinished", "dwarfLevelFinished", "gameover", "bodyfall1", "bodyfall2",
    "bodyfall3", "brett-hit1", "brett-hit2", "brett-hit3", "brett-hit4", "brett-hit5", "brett-hit6",
    "knight-hit1", "knight-hit2", "knight-hit3", "brett-hitKnight1", "brett-hitKnight2", "brett-hitKnight3",
    "miss", "doppelkopf", "stars", "snore1", "snore2", "hitByGun1", "hitByGun2", "bombThrow", "starsKnight",
    "boardItemSound", "defaultItemSound", "pointsItemSound", "sleepyItemSound", "speedBonusItemSound",
    "speedMalusItemSound", "jesterbush", "jesterjoke", "hunterdoor", "dropSound", "huntergun", "geweihCrash",
    "rolloverSound", "clickSound"};
// The fixed names, those the animations fire and those of the table.
std::vector<std::string> AllEvents()
{
    std::vector<std::string> events = kFixedEvents;
    for (const SoundEventEntry& entry : kSoundEvents) {
        events.emplace_back(entry.event);
    }
#ifdef QM_FIGURE_SOUND_EVENTS
    events.insert(events.end(), figure_sounds::kAll.begin(), figure_sounds::kAll.end());
#endif
#ifdef QM_ITEM_SOUND_EVENTS
    events.insert(events.end(), item_sounds::kEvents.begin(), item_sounds::kEvents.end());
#endif
    return events;
}

const std::vector<std::string> kDwarfs = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
constexpr const char* kSampleDirectory = "shared\\audio\\sfx\\";
constexpr int kClipLevel = 32000;

struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0.0; }
};

Pcm FromSampleData(const SampleData& data)
{
    Pcm pcm;
    pcm.rate = data.rate;
    pcm.channels = data.channels;
    pcm.samples.resize(data.data.size() / 2);
    std::memcpy(pcm.samples.data(), data.data.data(), pcm.samples.size() * 2);
    return pcm;
}

int PeakOf(const std::vector<int16_t>& samples)
{
    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

// RMS of the loudest 50 ms of a mono sound, in dB of full scale.
double RmsDb(const std::vector<int16_t>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return 20.0 * std::log10(std::sqrt(sum / static_cast<double>(std::max<size_t>(1, to - from))) / 32768.0 + 1e-12);
}

double LoudestDb(const Pcm& pcm)
{
    const size_t window = static_cast<size_t>(pcm.rate / 20);
    double loudest = -300.0;
    for (size_t start = 0; start + window <= pcm.samples.size(); start += window / 5) {
        loudest = std::max(loudest, RmsDb(pcm.samples, start, start + window));
    }
    return loudest;
}

// The step between neighbouring frames of one channel that only one step in a thousand
// exceeds: how far the sound itself moves from one sample to the next.
int LargeStep(const Pcm& pcm, int channel)
{
    std::vector<int> steps;
    const size_t stride = static_cast<size_t>(pcm.channels);
    for (size_t i = stride + channel; i < pcm.samples.size(); i += stride) {
        steps.push_back(std::abs(pcm.samples[i] - pcm.samples[i - stride]));
    }
    if (steps.empty()) {
        return 0;
    }
    const size_t rank = steps.size() * 999 / 1000;
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(rank), steps.end());
    return steps[rank];
}

// The seam of a loop: the jump from its last frame to its first, per channel.
int SeamJump(const Pcm& pcm, int channel)
{
    const size_t last = pcm.samples.size() - static_cast<size_t>(pcm.channels) + static_cast<size_t>(channel);
    return std::abs(pcm.samples[last] - pcm.samples[static_cast<size_t>(channel)]);
}

std::map<std::string, std::string> ReadSoundList(const fs::path& file)
{
    std::map<std::string, std::string> events;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream tokens(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(tokens), {}};
        if (!line.empty() && line[0] != '#' && words.size() == 2) {
            events.emplace(words[0], words[1]);
        }
    }
    return events;
}

// Streams a whole music file the way the game does and then the start of its second lap.
struct StreamedLoop {
    bool opened = false;
    Pcm lap;
    std::vector<int16_t> secondLapStart;
};

StreamedLoop StreamLoop(const std::string& name)
{
    OggStream stream;
    SampleData data;
    if (!stream.CanOpen(name) || !stream.Open(name, data)) {
        return {};
    }
    std::vector<uint8_t> chunk(4096);
    for (int bytes = stream.Refill(chunk.data(), 4096); bytes > 0; bytes = stream.Refill(chunk.data(), 4096)) {
        data.data.insert(data.data.end(), chunk.begin(), chunk.begin() + bytes);
    }
    const Pcm lap = FromSampleData(data);
    data.data.assign(chunk.begin(), chunk.begin() + std::max(stream.Refill(chunk.data(), 4096), 0));
    stream.Close();
    return {true, lap, FromSampleData(data).samples};
}

}  // namespace

// ---- The synthesiser's parts ----

TEST(SoundSynth, LimitersHoldPeaksUnderTheCeilingAroundTheSeamTooAndLeaveQuietSoundAlone)
{
    synth::Buffer loud = synth::Tone(22050, 0.2, 220.0, 220.0, synth::Wave::Sine);
    synth::Buffer quiet = loud;
    synth::Gain(loud, 2.0f);
    synth::Gain(quiet, 0.5f);
    const synth::Buffer quietBefore = quiet;
    const Limiter limiter(22050, 0.9f);
    limiter.Apply(loud);
    limiter.Apply(quiet);
    EXPECT_LE(synth::Peak(loud), 0.9f + 1e-4f);
    EXPECT_GT(synth::Peak(loud), 0.8f);
    EXPECT_EQ(quiet, quietBefore);
    // The loop limiter lowers the gain on both sides of the seam.
    synth::Buffer left(1000, 0.1f);
    left[0] = 2.0f;
    synth::Buffer right = left;
    Limiter(1000, 0.9f, 0.01, 0.1).ApplyLoop(left, right);
    EXPECT_LE(std::fabs(left[0]), 0.9f + 1e-4f);
    EXPECT_LT(left.back(), 0.1f);
    EXPECT_NEAR(left[500], 0.1f, 0.001f);
}

TEST(SoundSynth, PluckedStringRingsAtItsPitchAndTheLowPassDampsHighTones)
{
    SoundRandom random(7);
    const synth::Buffer string = synth::Pluck(44100, 220.0, 1.0, random, 0.5f, 0.8f);
    Biquad fundamental;
    fundamental.SetLowPass(44100, 330.0, 0.7);
    synth::Buffer low = string;
    fundamental.ProcessAll(low);
    int crossings = 0;
    for (size_t i = 4410; i + 1 < 22050; ++i) {
        crossings += (low[i] < 0.0f) != (low[i + 1] < 0.0f) ? 1 : 0;
    }
    // 0.4 s at 220 Hz crosses zero 176 times; a string a semitone off would miss by ten.
    EXPECT_NEAR(crossings, 176, 4);
    // The low pass keeps low tones and damps high ones.
    const auto throughLowPass = [](double hz) {
        synth::Buffer tone = synth::Tone(22050, 0.5, hz, hz, synth::Wave::Sine);
        Biquad filter;
        filter.SetLowPass(22050, 1000.0, 0.7);
        filter.ProcessAll(tone);
        return synth::Peak(synth::Buffer(tone.begin() + 5000, tone.end()));
    };
    EXPECT_GT(throughLowPass(200.0), 0.95f);
    EXPECT_LT(throughLowPass(8000.0), 0.03f);
}

TEST(SoundSynth, ScoreTextsGivePitchesAndBeatsAndEncodersRefuseWhatTheyCannotWriteAndClampOverload)
{
    const std::vector<score::Note> notes = score::Parse("D5:1 F#4:.5 -:1 Bb3:2 X9:1 C4:-1 E4:1", 4.0);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].midi, 74);
    EXPECT_DOUBLE_EQ(notes[0].beat, 4.0);
    EXPECT_EQ(notes[1].midi, 66);
    EXPECT_DOUBLE_EQ(notes[1].beats, 0.5);
    EXPECT_EQ(notes[2].midi, 58);
    EXPECT_DOUBLE_EQ(notes[2].beat, 6.5);
    EXPECT_EQ(notes[3].midi, 64);
    EXPECT_DOUBLE_EQ(notes[3].beat, 8.5);
    EXPECT_EQ(score::ParseChord("F#m").root, 54);
    EXPECT_TRUE(score::ParseChord("F#m").minor);
    EXPECT_NEAR(score::Hz(69), 440.0, 1e-9);
    // The encoders refuse what they cannot write and clamp overload.
    EXPECT_TRUE(pcm::EncodeOggVorbis(synth::Buffer(10), synth::Buffer(11), 44100, 0.4f, 1).empty());
    EXPECT_EQ(pcm::ToSample(2.0f), 32767);
    EXPECT_EQ(pcm::ToSample(-2.0f), -32768);
    const std::string wav = pcm::EncodeWav(synth::Buffer(3, 0.5f), 22050);
    ASSERT_EQ(wav.size(), 44u + 6u);
    EXPECT_EQ(wav.compare(36, 4, "data"), 0);
}

TEST(SoundSynth, LoopHelpersCarryTheEndIntoTheStartAndLoudnessAndPanningLandWhereAsked)
{
    synth::Buffer loop(100, 0.0f);
    synth::MixLooped(loop, synth::Buffer(10, 1.0f), 95, 0.5f);
    EXPECT_FLOAT_EQ(loop[99], 0.5f);
    EXPECT_FLOAT_EQ(loop[4], 0.5f);
    EXPECT_FLOAT_EQ(loop[5], 0.0f);

    // A click just before the seam rings on at the start of the loop.
    synth::Buffer room(22050, 0.0f);
    room[22000] = 1.0f;
    Reverb(22050, 0.5, 0.3).AddToLoop(room, 1.0f);
    EXPECT_GT(synth::Peak(synth::Buffer(room.begin(), room.begin() + 4000)), 0.01f);

    // A periodic tone filtered round the loop has no start-up transient at the seam.
    synth::Buffer tone = synth::Tone(22050, 0.5, 441.0, 441.0, synth::Wave::Saw);
    Biquad filter;
    filter.SetLowPass(22050, 800.0, 0.7);
    filter.ProcessLoop(tone);
    EXPECT_LT(std::fabs(tone.front() - tone.back()), 0.1f);
    EXPECT_GT(synth::Peak(synth::Buffer(tone.begin(), tone.begin() + 50)), 0.3f);

    // Loudness and panning land where asked.
    synth::Buffer blip = synth::Tone(22050, 0.3, 300.0, 300.0, synth::Wave::Sine);
    synth::FadeOut(blip, 22050, 0.2);
    synth::SetLoudness(blip, 22050, 0.2f);
    EXPECT_NEAR(synth::LoudestRms(blip, 22050), 0.2f, 1e-3f);

    StereoMix mix(1000, 1.0);
    mix.Add(synth::Buffer(10, 1.0f), 0.5, 1.0f, -1.0f);
    EXPECT_NEAR(synth::Peak(mix.Left()), 1.0f, 1e-5f);
    EXPECT_NEAR(synth::Peak(mix.Right()), 0.0f, 1e-5f);
    mix.Add(synth::Buffer(10, 1.0f), 0.0, 1.0f, 0.0f);
    EXPECT_NEAR(mix.Right()[0], std::sqrt(0.5f), 1e-5f);
}

// ---- What the forge writes, read back with the engine's own loaders ----

class SoundForge : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = std::make_unique<TempDir>();
        ForgeOutput output(dir->Path());
        forged = ForgeSounds(output) && output.WriteLists();
    }
    static void TearDownTestSuite() { dir.reset(); }

    void SetUp() override { ASSERT_TRUE(forged) << "the forge could not make the sounds"; }

    static Pcm LoadEffect(std::string_view file)
    {
        WavLoader loader;
        SampleData data;
        const std::string name = kSampleDirectory + std::string(file);
        EXPECT_TRUE(loader.CanLoad(name)) << name;
        EXPECT_TRUE(loader.Load(name, data)) << name;
        return FromSampleData(data);
    }

    static std::unique_ptr<TempDir> dir;
    static bool forged;
};

std::unique_ptr<TempDir> SoundForge::dir;
bool SoundForge::forged = false;

TEST_F(SoundForge, EveryEventLoadsThroughTheSoundListsWithoutAWarningAndOnlyTheSharedListNamesThem)
{
    Debug::Instance().CreateLogFile("debug.txt");
    SoundEngine::Release();
    SampleManager::Release();
    SoundEngine::Instance().Enable(true);
    SampleManager::Instance().InitWithoutOutput(44100);
    const int warnings = Debug::Instance().WarningCount();
    const int errors = Debug::Instance().ErrorCount();

    EXPECT_TRUE(SfxLoaderUtil::LoadSoundEffects("data\\shared\\sfx.txt", "shared\\audio\\sfx\\"));
    EXPECT_TRUE(SfxLoaderUtil::LoadSoundEffects("data\\level01\\sfx.txt", "level01\\audio\\sfx\\"));
    EXPECT_TRUE(SfxLoaderUtil::LoadSoundEffects("data\\level02\\sfx.txt", "level02\\audio\\sfx\\"));
    EXPECT_EQ(Debug::Instance().WarningCount(), warnings);
    EXPECT_EQ(Debug::Instance().ErrorCount(), errors);

    for (const std::string& name : AllEvents()) {
        const AudioEvent* event = SoundEngine::Instance().FindAudioEvent(name);
        ASSERT_NE(event, nullptr) << name;
        const Sample* sample = SampleManager::Instance().Find(event->sampleName);
        ASSERT_NE(sample, nullptr) << name;
        EXPECT_TRUE(sample->HasBuffer()) << name;
    }
    SoundEngine::Release();
    SampleManager::Release();

    // The shared list names every event; the level lists only comment.
    const auto shared = ReadSoundList(dir->Path() / "data/shared/sfx.txt");
    EXPECT_EQ(shared.size(), kSoundEvents.size());
    for (const std::string& dwarf : kDwarfs) {
        int calls = 0;
        while (shared.count(dwarf + "Schach" + std::to_string(calls + 1)) != 0) {
            ++calls;
        }
        EXPECT_GE(calls, 2) << dwarf;
        EXPECT_EQ(shared.count(dwarf + "Schach" + std::to_string(calls + 2)), 0u) << dwarf << " skips a number";
    }
    EXPECT_TRUE(ReadSoundList(dir->Path() / "data/level01/sfx.txt").empty());
    EXPECT_TRUE(ReadSoundList(dir->Path() / "data/level02/sfx.txt").empty());
    EXPECT_EQ(forge_test::ReadBytes(dir->Path() / "data/shared/sfx.txt").find('\r'), std::string::npos);
}

TEST_F(SoundForge, EffectsAreShortMonoUnclippedLevelledWithinTheirGroupFitTheirMomentsAndLoopCleanly)
{
    std::map<int, std::vector<double>> loudnessByGroup;
    for (const SoundEventEntry& entry : kSoundEvents) {
        const Pcm pcm = LoadEffect(entry.file);
        const std::string event(entry.event);
        EXPECT_EQ(pcm.rate, 22050) << event;
        EXPECT_EQ(pcm.channels, 1) << event;
        EXPECT_GT(pcm.Seconds(), 0.05) << event;
        EXPECT_LT(pcm.Seconds(), 6.0) << event;
        EXPECT_LT(PeakOf(pcm.samples), kClipLevel) << event;
        loudnessByGroup[entry.group].push_back(LoudestDb(pcm));
        // Loops join without a click or an offset.
        if (entry.looping) {
            EXPECT_LE(SeamJump(pcm, 0), std::max(LargeStep(pcm, 0), 64)) << event;
            const double sum = std::accumulate(pcm.samples.begin(), pcm.samples.end(), 0.0);
            EXPECT_LT(std::fabs(sum / static_cast<double>(pcm.samples.size())), 300.0) << event;
        }
    }
    for (const auto& [group, levels] : loudnessByGroup) {
        const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
        EXPECT_LT(*loudest - *quietest, 3.0) << "group " << group;
    }
    // The lengths fit their moments.
    EXPECT_LT(LoadEffect("brett_hit1.wav").Seconds(), 0.5);
    EXPECT_LT(LoadEffect("stopwatch.wav").Seconds(), 0.3);
    EXPECT_LT(LoadEffect("miss.wav").Seconds(), 0.6);
    EXPECT_LT(LoadEffect("round_won.wav").Seconds(), 2.5);
    EXPECT_NEAR(LoadEffect("fanfare.wav").Seconds(), 4.0, 0.4);
    EXPECT_NEAR(LoadEffect("game_over.wav").Seconds(), 4.0, 0.4);
    for (const std::string& dwarf : kDwarfs) {
        EXPECT_LT(LoadEffect(dwarf + "_schach1.wav").Seconds(), 2.0) << dwarf;
    }
}

TEST_F(SoundForge, MusicStreamsLoopWithoutAGapOrAJump)
{
    struct Stream {
        const char* name;
        double seconds;
    };
    // As the game opens them: the title once with its extension and once without.
    const Stream streams[] = {{"Shared\\Audio\\Ambient\\Titel.ogg", 90.0},
                              {"Shared\\Audio\\Ambient\\Titel", 90.0},
                              {"level01\\Audio\\Ambient\\Moorgan_L1", 120.0},
                              {"level01\\Audio\\Ambient\\amb_wald", 60.0}};
    for (const Stream& stream : streams) {
        const StreamedLoop loop = StreamLoop(stream.name);
        ASSERT_TRUE(loop.opened) << stream.name;
        const Pcm& lap = loop.lap;
        EXPECT_EQ(lap.rate, 44100) << stream.name;
        ASSERT_EQ(lap.channels, 2) << stream.name;
        EXPECT_NEAR(lap.Seconds(), stream.seconds, 0.01) << stream.name;
        EXPECT_LT(PeakOf(lap.samples), kClipLevel) << stream.name;
        ASSERT_GE(loop.secondLapStart.size(), 64u) << stream.name;
        EXPECT_TRUE(std::equal(loop.secondLapStart.begin(), loop.secondLapStart.end(), lap.samples.begin()))
            << stream.name;
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_LE(SeamJump(lap, channel), LargeStep(lap, channel)) << stream.name << " channel " << channel;
        }
        const size_t fiftyMs = 2 * 2205;
        EXPECT_GT(RmsDb(lap.samples, lap.samples.size() - fiftyMs, lap.samples.size()), -45.0) << stream.name;
        EXPECT_GT(RmsDb(lap.samples, 0, fiftyMs), -45.0) << stream.name;
    }
}

// Runs the sound forge with the given search path and returns whether it made the sounds,
// and what it said.
std::pair<bool, std::string> ForgeWithPath(const fs::path& out, const std::string& searchPath)
{
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", searchPath.c_str(), 1);
    ForgeOutput output(out);
    testing::internal::CaptureStderr();
    const bool made = ForgeSounds(output) && output.WriteLists();
    const std::string message = testing::internal::GetCapturedStderr();
    setenv("PATH", path.c_str(), 1);
    return {made, message};
}

TEST(SoundForgeWithoutSpeech, SaysSoWhenEspeakIsMissingOrCannotSpeakAndWritesNothing)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "bin");
    const auto [made, message] = ForgeWithPath(dir.Path() / "out", (dir.Path() / "bin").string());
    EXPECT_FALSE(made);
    EXPECT_NE(message.find("espeak-ng"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path() / "out"));
    // A stand-in for the speech program that answers but writes no sound.
    const fs::path program = dir.Path() / "bin" / "espeak-ng";
    std::ofstream(program) << "#!/bin/sh\n"
                              "while [ $# -gt 1 ]; do [ \"$1\" = -w ] && printf 'RIFF....WAVEdata' > \"$2\"; shift; done\n";
    fs::permissions(program, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    const auto [spoke, complaint] = ForgeWithPath(dir.Path() / "out", (dir.Path() / "bin").string() + ":" + path);
    EXPECT_FALSE(spoke);
    EXPECT_NE(complaint.find("espeak-ng could not speak \"Schach!\""), std::string::npos) << complaint;
    EXPECT_FALSE(fs::exists(dir.Path() / "out/data/shared/audio/sfx/fenno_schach1.wav"));
}
