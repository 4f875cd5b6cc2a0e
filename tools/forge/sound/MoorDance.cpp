#include <array>
#include <string_view>

#include "sound/Ensemble.h"
#include "sound/MusicPieces.h"
#include "sound/Score.h"

namespace music {

namespace {

constexpr double kBeatSeconds = 0.5;  // 120 beats a minute, four to the bar
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 60;

constexpr std::string_view kTuneA =
    "D5:1 F5:.5 E5:.5 D5:1 A4:1  C5:1 D5:.5 E5:.5 F5:2  G5:1 F5:.5 E5:.5 D5:1 F5:1  E5:1 C5:.5 D5:.5 E5:2 "
    "D5:1 F5:.5 E5:.5 D5:1 A4:1  C5:1 D5:.5 E5:.5 F5:1 G5:1  A5:1 G5:.5 F5:.5 E5:1 C5:1  D5:3 -:1";
constexpr std::array<std::string_view, 8> kChordsA = {"Dm", "C", "Dm", "C", "Dm", "C", "Am", "Dm"};

constexpr std::string_view kTuneB =
    "A5:1 A5:.5 G5:.5 F5:1 G5:1  A5:1 C6:1 A5:2  G5:1 G5:.5 F5:.5 E5:1 F5:1  G5:1 A5:.5 G5:.5 E5:2 "
    "F5:1 G5:.5 A5:.5 G5:1 F5:1  E5:1 F5:.5 G5:.5 A5:1 E5:1  F5:1 E5:.5 D5:.5 C5:1 E5:1  D5:3 -:1";
constexpr std::array<std::string_view, 8> kChordsB = {"F", "F", "C", "C", "F", "Am", "C", "Dm"};

// Long notes the recorder holds over tune B while the lute leads it an octave down.
constexpr std::string_view kHarmonyB = "F4:4 F4:4 E4:4 E4:4 F4:4 E4:4 E4:4 F4:4";

constexpr std::array<std::string_view, 4> kRoundChords = {"Dm", "Dm", "C", "Dm"};

double Bar(int bar)
{
    return static_cast<double>(bar * kBeatsPerBar);
}

// The lute's running eighths over a chord: bass, fifth, octave, third, and back.
void LuteBar(Ensemble& band, std::string_view chordName, int bar, float gain)
{
    static constexpr int kPattern[] = {0, 7, 12, -1, 7, 12, -1, 19};
    const score::Chord chord = score::ParseChord(chordName);
    const int third = chord.minor ? 15 : 16;
    for (int step = 0; step < 8; ++step) {
        const int interval = kPattern[step] < 0 ? third : kPattern[step];
        const float accent = step % 4 == 0 ? 1.0f : 0.75f;
        band.Pluck(chord.root + interval, Bar(bar) + 0.5 * step, 0.5, gain * accent, -0.35f);
    }
}

void DrumBar(Ensemble& band, int bar, float gain)
{
    const double start = Bar(bar);
    for (double beat : {0.0, 2.0, 2.5}) {
        band.Drum(true, start + beat, gain);
    }
    for (double beat : {1.0, 3.0, 3.5}) {
        band.Drum(false, start + beat, gain * 0.7f);
    }
    band.Drum(false, start + 0.5, gain * 0.3f);
}

void JingleBar(Ensemble& band, int bar, float gain)
{
    for (double beat : {0.5, 1.5, 2.5, 3.5}) {
        band.Jingles(Bar(bar) + beat, gain);
    }
}

template <size_t Count>
void Accompany(Ensemble& band, const std::array<std::string_view, Count>& chords, int firstBar, float gain)
{
    for (size_t i = 0; i < Count; ++i) {
        LuteBar(band, chords[i], firstBar + static_cast<int>(i), gain);
    }
}

void Drums(Ensemble& band, int firstBar, int bars, float gain, bool jingles)
{
    for (int bar = firstBar; bar < firstBar + bars; ++bar) {
        DrumBar(band, bar, gain);
        if (jingles) {
            JingleBar(band, bar, 0.18f);
        }
    }
}

// Sections, in bars: intro 0-3, A 4-11, A with drone and tambourine 12-19, B 20-27,
// B led by the lute 28-35, drum interlude 36-39, A 40-47, B 48-55, the round again 56-59,
// which leads back into the intro.
void PlaySections(Ensemble& band)
{
    Accompany(band, kRoundChords, 0, 0.35f);
    Drums(band, 0, 4, 0.5f, false);

    band.Recorder(kTuneA, Bar(4), 0.45f, 0.25f);
    Accompany(band, kChordsA, 4, 0.3f);
    Drums(band, 4, 8, 0.5f, false);

    band.Recorder(kTuneA, Bar(12), 0.45f, 0.25f);
    Accompany(band, kChordsA, 12, 0.3f);
    Drums(band, 12, 8, 0.5f, true);
    band.Drone(50, Bar(12), 32.0, 0.08f, -0.1f);

    band.Recorder(kTuneB, Bar(20), 0.42f, 0.25f);
    Accompany(band, kChordsB, 20, 0.3f);
    Drums(band, 20, 8, 0.5f, true);
    band.Drone(50, Bar(20), 32.0, 0.08f, -0.1f);
    band.Drone(57, Bar(20), 32.0, 0.05f, 0.1f);

    band.Lute(kTuneB, Bar(28), 0.5f, 0.1f, -12);
    band.Recorder(kHarmonyB, Bar(28), 0.25f, 0.35f, 12);
    Accompany(band, kChordsB, 28, 0.22f);
    Drums(band, 28, 8, 0.45f, false);

    Drums(band, 36, 4, 0.6f, true);
    band.Drone(50, Bar(36), 16.0, 0.1f, -0.1f);
    band.Pluck(50, Bar(38), 4.0, 0.35f, -0.35f);

    band.Recorder(kTuneA, Bar(40), 0.45f, 0.25f);
    Accompany(band, kChordsA, 40, 0.3f);
    Drums(band, 40, 8, 0.5f, true);

    band.Recorder(kTuneB, Bar(48), 0.42f, 0.25f);
    Accompany(band, kChordsB, 48, 0.3f);
    Drums(band, 48, 8, 0.5f, true);
    band.Drone(50, Bar(48), 32.0, 0.08f, -0.1f);

    Accompany(band, kRoundChords, 56, 0.35f);
    Drums(band, 56, 4, 0.5f, false);
}

}  // namespace

StereoMix MoorDance()
{
    StereoMix mix(synth::kMusicRate, kBars * kBeatsPerBar * kBeatSeconds);
    Ensemble band(mix, kBeatSeconds, 0x4D6F6F72);
    PlaySections(band);
    mix.AddHall(0.45, 0.2f);
    return mix;
}

}  // namespace music
