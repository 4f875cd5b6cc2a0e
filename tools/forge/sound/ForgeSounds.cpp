#include "sound/ForgeSounds.h"

#include <cstdio>
#include <set>
#include <string>

#include "core/ForgeOutput.h"
#include "data/SoundEventTable.h"
#include "sound/EffectCatalogue.h"
#include "sound/EspeakVoice.h"
#include "sound/ForgeMusic.h"
#include "sound/Limiter.h"
#include "sound/PcmEncoding.h"
#include "sound/SoundPicture.h"
#include "sound/SpokenSounds.h"

namespace {

constexpr const char* kSharedList = "data\\shared\\sfx.txt";
constexpr const char* kSharedSamples = "data\\shared\\audio\\sfx\\";
constexpr const char* kLevelLists[] = {"data\\level01\\sfx.txt", "data\\level02\\sfx.txt"};
constexpr int kRate = synth::kEffectRate;
// Every sample is levelled to the same loudest moment (about -14 dBFS RMS over 50 ms); the
// events' volumes then balance them in the game. Peaks stay 1 dB under full scale.
constexpr float kLoudnessRms = 0.2f;
constexpr float kCeiling = 0.89f;

bool Render(std::string_view file, synth::Buffer& sound)
{
    if (effects::Render render = effects::Find(file)) {
        sound = render();
        return true;
    }
    if (spoken::Knows(file)) {
        return spoken::Render(file, sound);
    }
    std::fprintf(stderr, "qmforge: no sound is made for the sample \"%.*s\"\n", static_cast<int>(file.size()),
                 file.data());
    return false;
}

void Master(synth::Buffer& sound, bool looping)
{
    synth::SetLoudness(sound, kRate, kLoudnessRms);
    const Limiter limiter(kRate, kCeiling);
    if (looping) {
        limiter.ApplyLoop(sound);
    } else {
        limiter.Apply(sound);
    }
}

bool ForgeSample(ForgeOutput& output, const SoundEventEntry& entry)
{
    synth::Buffer sound;
    if (!Render(entry.file, sound)) {
        return false;
    }
    Master(sound, entry.looping);
    const std::string file(entry.file);
    output.AddToSheet("sound_effects", file, soundpicture::Draw(sound, kRate));
    return output.WriteBytes(kSharedSamples + file, pcm::EncodeWav(sound, kRate));
}

bool ForgeSamples(ForgeOutput& output)
{
    bool ok = true;
    std::set<std::string_view> made;
    for (const SoundEventEntry& entry : kSoundEvents) {
        if (made.insert(entry.file).second) {
            ok = ForgeSample(output, entry) && ok;
        }
    }
    return ok;
}

void WriteLists(ForgeOutput& output)
{
    output.AddSoundLine(kSharedList, "# Das Quillmark - Ger\xE4usche: Ereignis und Datei (in shared\\audio\\sfx\\)");
    for (const SoundEventEntry& entry : kSoundEvents) {
        output.AddSoundLine(kSharedList, std::string(entry.event) + " " + std::string(entry.file));
    }
    for (const char* list : kLevelLists) {
        output.AddSoundLine(list, "# Alle Ger\xE4usche stehen in data\\shared\\sfx.txt.");
    }
}

}  // namespace

bool ForgeSounds(ForgeOutput& output)
{
    if (!EspeakVoice::Available()) {
        std::fprintf(stderr,
                     "qmforge: the program espeak-ng was not found. It speaks the dwarfs' \"Schach!\" calls and "
                     "the jester's joke; install espeak-ng (with its German voice) and run qmforge again.\n");
        return false;
    }
    WriteLists(output);
    // The music takes the longest; it is left out once the forge has failed anyway.
    return ForgeSamples(output) && ForgeMusic(output);
}
