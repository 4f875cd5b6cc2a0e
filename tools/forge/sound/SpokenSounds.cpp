#include "sound/SpokenSounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "sound/Biquad.h"
#include "sound/EffectRecipes.h"
#include "sound/EspeakVoice.h"

namespace spoken {

namespace {

using synth::Buffer;
constexpr int kRate = synth::kEffectRate;

struct Line {
    std::string_view file;
    std::string_view variant;
    int pitch;
    int wordsPerMinute;
    std::string_view text;
};

// Each dwarf has a voice of his own: the variant sets the timbre, pitch and speed the rest.
// Fenno sounds bright and bold, Tabor deep and gruff, Quirn high and hurried, Marlo jolly,
// Gandel old and croaking, Ruvik quick and sharp, Holvo slow and booming.
constexpr std::array kLines = {
    Line{"fenno_schach1.wav", "m3", 48, 165, "Schach!"},
    Line{"fenno_schach2.wav", "m3", 52, 175, "Schach, ha!"},
    Line{"tabor_schach1.wav", "m1", 18, 135, "Schach!"},
    Line{"tabor_schach2.wav", "m1", 14, 130, "Schach dir!"},
    Line{"quirn_schach1.wav", "m7", 80, 210, "Schach!"},
    Line{"quirn_schach2.wav", "m7", 84, 220, "Schach, Schach!"},
    Line{"marlo_schach1.wav", "m2", 58, 160, "Schach!"},
    Line{"marlo_schach2.wav", "m2", 62, 155, "Na, Schach!"},
    Line{"gandel_schach1.wav", "croak", 32, 125, "Schaach!"},
    Line{"gandel_schach2.wav", "croak", 28, 120, "Schach, Junge!"},
    Line{"ruvik_schach1.wav", "m4", 66, 200, "Schach!"},
    Line{"ruvik_schach2.wav", "m4", 70, 205, "Und Schach!"},
    Line{"holvo_schach1.wav", "m6", 8, 115, "Schach!"},
    Line{"holvo_schach2.wav", "m6", 5, 110, "Schach, Bursche!"},
    Line{"hit_by_gun1.wav", "m3", 60, 190, "Autsch!"},
    Line{"hit_by_gun2.wav", "m2", 55, 170, "Au, au!"},
    Line{"jester_joke.wav", "m5", 82, 185,
         "Was ist gr\xC3\xBCn und klopft? Ein Klopfsalat! Hihihi!"},
};

const Line* FindLine(std::string_view file)
{
    for (const Line& line : kLines) {
        if (line.file == file) {
            return &line;
        }
    }
    return nullptr;
}

// Cuts the silence the speech program leaves around its words.
void TrimSilence(Buffer& speech, float threshold)
{
    size_t first = 0;
    while (first < speech.size() && std::fabs(speech[first]) < threshold) {
        ++first;
    }
    size_t last = speech.size();
    while (last > first && std::fabs(speech[last - 1]) < threshold) {
        --last;
    }
    const size_t margin = static_cast<size_t>(kRate / 100);
    first = first > margin ? first - margin : 0;
    last = std::min(speech.size(), last + margin);
    speech = Buffer(speech.begin() + static_cast<long>(first), speech.begin() + static_cast<long>(last));
}

// Takes the rumble and the fizz off the synthetic voice and lifts its presence.
void Polish(Buffer& speech)
{
    Biquad rumble;
    rumble.SetHighPass(kRate, 110.0, 0.7);
    Biquad presence;
    presence.SetPeak(kRate, 2800.0, 1.0, 3.0);
    Biquad fizz;
    fizz.SetLowPass(kRate, 7500.0, 0.7);
    for (float& sample : speech) {
        sample = fizz.Process(presence.Process(rumble.Process(sample)));
    }
    TrimSilence(speech, 0.01f);
    synth::FadeIn(speech, kRate, 0.005);
    synth::FadeOut(speech, kRate, 0.02);
}

void AddAccompaniment(std::string_view file, Buffer& speech)
{
    if (file == "jester_joke.wav") {
        const int lead = synth::Frames(kRate, 0.35);
        Buffer joke = recipes::CapBells(1);
        synth::MixInto(joke, speech, lead, 1.0f);
        synth::MixInto(joke, recipes::CapBells(2), lead + static_cast<int>(speech.size()), 1.0f);
        speech = std::move(joke);
    } else if (file.starts_with("hit_by_gun")) {
        Buffer cry = recipes::BodyFall(file == "hit_by_gun1.wav" ? 0 : 2);
        synth::MixInto(cry, speech, synth::Frames(kRate, 0.04), 1.5f);
        speech = std::move(cry);
    }
}

}  // namespace

bool Knows(std::string_view file)
{
    return FindLine(file) != nullptr;
}

bool Render(std::string_view file, Buffer& sound)
{
    const Line* line = FindLine(file);
    if (line == nullptr) {
        return false;
    }
    const EspeakVoice voice(std::string(line->variant), line->pitch, line->wordsPerMinute);
    if (!voice.Speak(std::string(line->text), sound)) {
        return false;
    }
    Polish(sound);
    AddAccompaniment(file, sound);
    return true;
}

}  // namespace spoken
