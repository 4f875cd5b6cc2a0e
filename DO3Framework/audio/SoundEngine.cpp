#include "audio/SoundEngine.h"

#include <algorithm>
#include <cstdint>

#include "app/Debug.h"
#include "audio/Sample.h"
#include "audio/SampleManager.h"
#include "audio/StreamingSample.h"
#include "audio/Voice.h"
#include "params/Serializer.h"

namespace {

const char* const kMusicName = "_music_";
constexpr int kMusicFlags = Sample::kStream | Sample::kVolumeControl;

}  // namespace

SoundEngine::SoundEngine() = default;

SoundEngine::~SoundEngine()
{
    for (auto* voices : {&permanentVoices, &temporaryVoices, &cleanupVoices}) {
        for (auto& voice : *voices) {
            voice->Release();
        }
        voices->clear();
    }
    DestroyStreams();
}

size_t SoundEngine::Index(int group)
{
    return static_cast<size_t>(std::clamp(group, 0, kSoundGroups - 1));
}

Voice* SoundEngine::PlayAudioEvent(const std::string& name, bool temporary)
{
    auto found = events.find(name);
    if (found == events.end()) {
        Debug::Instance().Fatal("AudioEvent %s not found\n", name.c_str());
        found = events.emplace(name, AudioEvent()).first;
    }
    if (!enabled) {
        if (temporary) {
            return nullptr;
        }
        cleanupVoices.push_back(std::make_unique<Voice>());
        return cleanupVoices.back().get();
    }
    auto voice = std::make_unique<Voice>();
    voice->SetEvent(&found->second);
    auto& list = temporary ? temporaryVoices : permanentVoices;
    list.push_back(std::move(voice));
    return list.back().get();
}

void SoundEngine::AddAudioEvent(const std::string& name, const AudioEvent& event)
{
    if (events.count(name) != 0) {
        Debug::Instance().Warning(
            "SoundEngine::AddAudioEvent failed because there is already a audio-event <%s>!\n", name.c_str());
        return;
    }
    events.emplace(name, event);
}

const AudioEvent* SoundEngine::FindAudioEvent(const std::string& name) const
{
    auto found = events.find(name);
    return found != events.end() ? &found->second : nullptr;
}

StreamingSample* SoundEngine::OpenMusic(const std::string& fileName)
{
    if (!enabled) {
        return nullptr;
    }
    std::unique_ptr<StreamingSample> stream = SampleManager::Instance().LoadStream(kMusicName, fileName, kMusicFlags);
    if (!stream) {
        return nullptr;
    }
    stream->SetOwner(this);
    std::lock_guard<std::mutex> guard(streamsLock);
    streams.push_back(std::move(stream));
    return streams.back().get();
}

void SoundEngine::DestroyVoice(Voice* voice)
{
    for (auto* voices : {&permanentVoices, &temporaryVoices, &cleanupVoices}) {
        auto found = std::find_if(voices->begin(), voices->end(), [voice](const auto& held) { return held.get() == voice; });
        if (found != voices->end()) {
            (*found)->Release();
            voices->erase(found);
            return;
        }
    }
}

void SoundEngine::DestroyStream(StreamingSample* stream)
{
    // Only the main thread changes the list, so it can be searched here without the lock; a
    // stream not (or no longer) listed is never touched.
    auto found = std::find_if(streams.begin(), streams.end(), [stream](const auto& held) { return held.get() == stream; });
    if (found == streams.end()) {
        return;
    }
    // The timer is killed and joined first, so no tick runs while the stream goes.
    (*found)->Stop();
    std::unique_ptr<StreamingSample> dying;
    {
        std::lock_guard<std::mutex> guard(streamsLock);
        dying = std::move(*found);
        streams.erase(found);
    }
}

bool SoundEngine::IsStreamValid(const StreamingSample* stream) const
{
    {
        std::lock_guard<std::mutex> guard(streamsLock);
        for (const auto& held : streams) {
            if (held.get() == stream) {
                return true;
            }
        }
    }
    Debug::Instance().Log("SoundEngine::IsStreamValid stream %x not valid\n",
                          static_cast<unsigned>(reinterpret_cast<uintptr_t>(stream)));
    return false;
}

void SoundEngine::Update(float dtSeconds)
{
    if (!enabled) {
        return;
    }
    for (auto& voice : permanentVoices) {
        UpdateVoice(*voice, dtSeconds);
    }
    for (auto it = temporaryVoices.begin(); it != temporaryVoices.end();) {
        if (UpdateTemporaryVoice(**it, dtSeconds)) {
            (*it)->Release();
            it = temporaryVoices.erase(it);
        } else {
            ++it;
        }
    }
}

void SoundEngine::UpdateVoice(Voice& voice, float dtSeconds)
{
    voice.Update(dtSeconds);
    if (!voice.IsActive()) {
        voice.SetSample(nullptr, false);
    } else if (!voice.CurrentSample() && voice.Event()) {
        if (Sample* copy = SampleManager::Instance().GetFreeInstance(voice.Event()->sampleName)) {
            voice.SetSample(copy, false);
        }
    }
}

bool SoundEngine::UpdateTemporaryVoice(Voice& voice, float dtSeconds)
{
    UpdateVoice(voice, dtSeconds);
    if (voice.CurrentSample()) {
        return !voice.CurrentSample()->IsPlaying();
    }
    return !voice.Event() || !voice.Event()->looping;
}

void SoundEngine::ApplyVolumes()
{
    for (auto* voices : {&permanentVoices, &temporaryVoices}) {
        for (auto& voice : *voices) {
            voice->SetVolume(voice->GetVolume());
        }
    }
    for (auto& stream : streams) {
        stream->ApplyVolume();
    }
}

void SoundEngine::DestroyAll()
{
    Debug::Instance().Log("  destroy voices\n");
    DestroyVoices(permanentVoices, true);
    Debug::Instance().Log("  destroy temporary voices\n");
    DestroyVoices(temporaryVoices, false);
    Debug::Instance().Log("  destroy cleanup voices\n");
    DestroyVoices(cleanupVoices, false);
    Debug::Instance().Log("  destroy stream\n");
    DestroyStreams();
    events.clear();
}

void SoundEngine::DestroyVoices(std::vector<std::unique_ptr<Voice>>& voices, bool logEach)
{
    int index = 0;
    for (auto& voice : voices) {
        if (logEach) {
            Debug::Instance().Log("destroy voice: %d\n", index);
        }
        voice->Release();
        ++index;
    }
    voices.clear();
}

void SoundEngine::DestroyStreams()
{
    while (!streams.empty()) {
        DestroyStream(streams.back().get());
    }
}

void SoundEngine::ReleaseSampleCopies()
{
    for (auto* voices : {&permanentVoices, &temporaryVoices, &cleanupVoices}) {
        for (auto& voice : *voices) {
            voice->Release();
        }
    }
}

float SoundEngine::GroupLevel(int group) const
{
    return GroupMute(group) != 0.0f ? 0.0f : GroupVolume(group);
}

float SoundEngine::StreamLevel() const
{
    return GroupLevel(kMusicGroup) * GroupFactor(kMusicGroup);
}

int SoundEngine::VoiceCount() const
{
    return static_cast<int>(permanentVoices.size() + temporaryVoices.size() + cleanupVoices.size());
}

int SoundEngine::StreamCount() const
{
    std::lock_guard<std::mutex> guard(streamsLock);
    return static_cast<int>(streams.size());
}

void SoundEngine::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("SoundEngine", name);
    serializer.BeginSection("AudioEvents", "AudioEvents");
    for (auto& [eventName, event] : events) {
        serializer.SubObject(eventName, &event);
    }
    serializer.EndSection();
    serializer.EndSection();
    if (serializer.IsReading()) {
        ApplyVolumes();
    }
}
