#include "audio/SfxLoaderUtil.h"

#include <algorithm>
#include <cctype>

#include "app/Debug.h"
#include "audio/AudioEvent.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "files/File.h"
#include "settings/Tokenizer.h"
#include "sprites/LoadingScreen.h"

namespace {

constexpr int kMaxLine = 1024;
constexpr int kEffectFlags = Sample::kVolumeControl | Sample::kFrequencyControl;
const char* const kSamplePrefix = "sample_";
constexpr float kProgressPerLine = 0.001f;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

bool SfxLoaderUtil::LoadSoundEffects(const std::string& listFile, const std::string& directory)
{
    File file;
    if (!file.Open(listFile.c_str(), "r")) {
        Debug::Instance().Warning("SfxLoaderUtil::LoadSoundEffects: Failed to open <%s>!\n", listFile.c_str());
        return false;
    }
    char line[kMaxLine];
    while (file.ReadLine(line, kMaxLine)) {
        LoadLine(line, directory);
    }
    return true;
}

void SfxLoaderUtil::LoadLine(const std::string& line, const std::string& directory)
{
    if (line.empty() || line[0] == '#') {
        return;
    }
    Tokenizer tokens(line, " \t\r\n");
    if (tokens.Count() != 2) {
        return;
    }
    const std::string eventName = tokens.Token(0);
    const std::string sampleName = kSamplePrefix + tokens.Token(1);
    if (!SampleManager::Instance().Find(sampleName)) {
        SampleManager::Instance().Add(sampleName, directory + tokens.Token(1), kEffectFlags);
    }
    if (Lower(eventName) != "none") {
        AudioEvent event;
        event.sampleName = sampleName;
        SoundEngine::Instance().AddAudioEvent(eventName, event);
    }
    LoadingScreen::Instance().Advance(kProgressPerLine);
}
