#include <array>
#include <string_view>

#include "sound/Ensemble.h"
#include "sound/MusicPieces.h"
#include "sound/Score.h"

namespace music {

namespace {

constexpr double kBeatSeconds = 0.5;  // 120 beats a minute, three to the bar
constexpr int kBeatsPerBar = 3;
constexpr int kBars = 60;

constexpr std::string_view kTuneA =
    "G4:1 B4:1 D5:1  G5:2 F#5:1  E5:1 D5:1 C5:1  D5:3  B4:1 C5:1 D5:1  E5:2 D5:1  C5:1 B4:1 A4:1  B4:3 "
    "G4:1 B4:1 D5:1  G5:2 A5:1  B5:1 A5:1 G5:1  E5:3  D5:1 E5:1 F#5:1  G5:2 E5:1  D5:1 C5:1 A4:1  G4:3";
constexpr std::array<std::string_view, 16> kChordsA = {"G", "G", "C", "D", "G", "C", "D", "G",
                                                        "G", "Em", "C", "C", "D", "C", "D", "G"};

constexpr std::string_view kTuneB =
    "E5:1 F#5:1 G5:1  B5:2 G5:1  A5:1 G5:1 F#5:1  E5:3  C5:1 D5:1 E5:1  G5:2 E5:1  D5:1 E5:1 F#5:1  D5:3 "
    "E5:1 F#5:1 G5:1  B5:2 C6:1  B5:1 A5:1 G5:1  A5:3  G5:1 F#5:1 E5:1  D5:2 B4:1  C5:1 A4:1 F#4:1  G4:3";
constexpr std::array<std::string_view, 16> kChordsB = {"Em", "Em", "D", "Em", "C", "C", "D", "D",
                                                        "Em", "C", "G", "D", "C", "G", "D", "G"};

constexpr std::array<std::string_view, 4> kIntroChords = {"G", "C", "D", "G"};
constexpr std::array<std::string_view, 8> kOutroChords = {"G", "C", "G", "D", "G", "C", "D", "G"};
// The bells' farewell over the outro, before the intro comes round again.
constexpr std::string_view kOutroBells = "D6:1 G6:1 B6:1  D7:3  -:6  B6:1 G6:1 D6:1  G6:3";

double Bar(int bar)
{
    return static_cast<double>(bar * kBeatsPerBar);
}

// Bass on the first beat, the chord plucked on the second and third.
void WaltzBar(Ensemble& band, std::string_view chordName, int bar, float gain)
{
    const score::Chord chord = score::ParseChord(chordName);
    const int third = chord.minor ? 3 : 4;
    band.Pluck(chord.root - 12, Bar(bar), 1.0, gain, -0.2f);
    for (int beat = 1; beat < 3; ++beat) {
        const double at = Bar(bar) + beat;
        band.Pluck(chord.root + third, at, 0.9, gain * 0.55f, -0.4f);
        band.Pluck(chord.root + 7, at + 0.02, 0.9, gain * 0.55f, -0.3f);
        band.Pluck(chord.root + 12, at + 0.04, 0.9, gain * 0.5f, -0.45f);
    }
}

template <size_t Count>
void Accompany(Ensemble& band, const std::array<std::string_view, Count>& chords, int firstBar, float gain)
{
    for (size_t i = 0; i < Count; ++i) {
        WaltzBar(band, chords[i], firstBar + static_cast<int>(i), gain);
    }
}

void SoftDrum(Ensemble& band, int firstBar, int bars)
{
    for (int bar = firstBar; bar < firstBar + bars; ++bar) {
        band.Drum(true, Bar(bar), 0.3f);
    }
}

// Sections, in bars: intro 0-3, A 4-19, B with bells 20-35, A with bells an octave up 36-51,
// outro 52-59 leading back into the intro.
void PlaySections(Ensemble& band)
{
    Accompany(band, kIntroChords, 0, 0.55f);

    band.Recorder(kTuneA, Bar(4), 0.45f, 0.2f);
    Accompany(band, kChordsA, 4, 0.35f);

    band.Recorder(kTuneB, Bar(20), 0.42f, 0.2f);
    band.Bells(kTuneB, Bar(20), 0.12f, 0.4f);
    Accompany(band, kChordsB, 20, 0.35f);
    SoftDrum(band, 20, 16);

    band.Recorder(kTuneA, Bar(36), 0.45f, 0.2f);
    band.Bells(kTuneA, Bar(36), 0.1f, 0.45f, 12);
    Accompany(band, kChordsA, 36, 0.35f);
    SoftDrum(band, 36, 16);

    Accompany(band, kOutroChords, 52, 0.55f);
    band.Bells(kOutroBells, Bar(52), 0.12f, 0.4f, -12);
}

}  // namespace

StereoMix TitleWaltz()
{
    StereoMix mix(synth::kMusicRate, kBars * kBeatsPerBar * kBeatSeconds);
    Ensemble band(mix, kBeatSeconds, 0x5469746C);
    PlaySections(band);
    mix.AddHall(0.6, 0.25f);
    return mix;
}

}  // namespace music
