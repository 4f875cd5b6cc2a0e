#include "sound/Score.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace score {

namespace {

constexpr int kSemitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G

struct Token {
    bool rest = false;
    int midi = 0;
    double beats = 0.0;
    bool valid = false;
};

Token ParseToken(std::string_view token)
{
    Token result;
    const size_t colon = token.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        return result;
    }
    const std::string length(token.substr(colon + 1));
    result.beats = std::atof(length.c_str());
    const std::string_view pitch = token.substr(0, colon);
    if (pitch == "-") {
        result.rest = true;
        result.valid = result.beats > 0.0;
        return result;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(pitch[0])));
    if (letter < 'A' || letter > 'G') {
        return result;
    }
    int semitone = kSemitoneOfLetter[letter - 'A'];
    size_t at = 1;
    if (at < pitch.size() && (pitch[at] == '#' || pitch[at] == 'b')) {
        semitone += pitch[at] == '#' ? 1 : -1;
        ++at;
    }
    int octave = 0;
    const auto parsed = std::from_chars(pitch.data() + at, pitch.data() + pitch.size(), octave);
    if (parsed.ec != std::errc() || parsed.ptr != pitch.data() + pitch.size()) {
        return result;
    }
    result.midi = 12 * (octave + 1) + semitone;
    result.valid = result.beats > 0.0;
    return result;
}

template <typename Visit>
void ForEachToken(std::string_view text, Visit visit)
{
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
        size_t end = at;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        if (end > at) {
            visit(ParseToken(text.substr(at, end - at)));
        }
        at = end;
    }
}

}  // namespace

std::vector<Note> Parse(std::string_view text, double startBeat)
{
    std::vector<Note> notes;
    double beat = startBeat;
    ForEachToken(text, [&](const Token& token) {
        if (!token.valid) {
            return;
        }
        if (!token.rest) {
            notes.push_back({beat, token.beats, token.midi});
        }
        beat += token.beats;
    });
    return notes;
}

double Hz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Chord ParseChord(std::string_view name)
{
    Chord chord;
    const bool minor = name.ends_with('m');
    const std::string root(name.substr(0, minor ? name.size() - 1 : name.size()));
    const std::vector<Note> note = Parse(root + "3:1", 0.0);
    if (!note.empty()) {
        chord.root = note.front().midi;
    }
    chord.minor = minor;
    return chord;
}

}  // namespace score
