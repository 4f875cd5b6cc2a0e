#pragma once

#include <string>
#include <vector>

#include "sound/Synth.h"

// A German speaking voice of the espeak-ng program, run once per phrase at forge time. The
// program's output is the same for the same text, voice and version, so voices stay
// deterministic. The raw speech comes back at synth::kEffectRate.
class EspeakVoice {
public:
    EspeakVoice(std::string variant, int pitch, int wordsPerMinute);

    // True when the espeak-ng program can be started.
    static bool Available();
    // Speaks text (UTF-8); false, with a message on stderr, when the program fails.
    bool Speak(const std::string& text, synth::Buffer& speech) const;

private:
    static bool Run(const std::vector<std::string>& arguments);
    static bool ReadSpeech(const std::string& path, synth::Buffer& speech);

    std::string variant;
    int pitch;
    int wordsPerMinute;
};
