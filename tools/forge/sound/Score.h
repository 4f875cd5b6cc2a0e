#pragma once

#include <string_view>
#include <vector>

// Tunes written as text: "D5:1 F5:.5 -:1" is D5 for one beat, F5 for half a beat, then a
// beat of rest. Sharps and flats as "F#4", "Bb3".
namespace score {

struct Note {
    double beat;
    double beats;
    int midi;
};

// The notes of the text, starting at startBeat; malformed tokens are skipped.
std::vector<Note> Parse(std::string_view text, double startBeat);
double Hz(int midi);

// A chord as the accompaniment names it ("Dm", "C", "F#m"): root in octave 3, and quality.
struct Chord {
    int root = 48;
    bool minor = false;
};
Chord ParseChord(std::string_view name);

}  // namespace score
