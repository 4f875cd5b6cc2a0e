#pragma once

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "audio/AudioEvent.h"
#include "params/Object.h"
#include "util/Singleton.h"

class StreamingSample;
class Voice;

// Plays named audio events through voices and owns the music streams. Game code asks for an
// event by name and starts the voice it gets; a temporary voice deletes itself when its sound
// has ended. Sound groups 0 to 3 have a volume, a factor and a mute the game sets.
// Main thread only, except IsStreamValid, which stream timers call.
class SoundEngine : public Singleton<SoundEngine>, public Object {
public:
    static constexpr int kSoundGroups = AudioEvent::kSoundGroups;
    static constexpr int kMusicGroup = 0;

    SoundEngine();
    ~SoundEngine() override;

    bool IsEnabled() const { return enabled; }
    void Enable(bool on) { enabled = on; }

    // A voice for the event, or null (temporary request while disabled). Call Play on it.
    Voice* PlayAudioEvent(const std::string& name, bool temporary = true);
    void AddAudioEvent(const std::string& name, const AudioEvent& event);
    const AudioEvent* FindAudioEvent(const std::string& name) const;
    // A music stream loaded as "_music_" with volume control, owned here; null when disabled.
    StreamingSample* OpenMusic(const std::string& fileName);
    void DestroyVoice(Voice* voice);
    void DestroyStream(StreamingSample* stream);
    bool IsStreamValid(const StreamingSample* stream) const;

    void Update(float dtSeconds);
    // Sets every voice's and stream's volume again after a group table changed.
    void ApplyVolumes();
    void DestroyAll();
    // Every voice gives its sample copy back (the sample manager is about to release them).
    void ReleaseSampleCopies();

    void SetGroupVolume(int group, float volume) { groupVolume[Index(group)] = volume; }
    void SetGroupFactor(int group, float factor) { groupFactor[Index(group)] = factor; }
    // Non-zero silences the group.
    void SetGroupMute(int group, float mute) { groupMute[Index(group)] = mute; }
    float GroupVolume(int group) const { return groupVolume[Index(group)]; }
    float GroupFactor(int group) const { return groupFactor[Index(group)]; }
    float GroupMute(int group) const { return groupMute[Index(group)]; }
    // The group's volume, or 0 while it is muted.
    float GroupLevel(int group) const;
    // What a stream's own volume is scaled by: level and factor of group 0.
    float StreamLevel() const;

    void AddListener(int x, int y) { listeners.emplace_back(x, y); }
    void ClearListeners() { listeners.clear(); }
    const std::vector<std::pair<int, int>>& Listeners() const { return listeners; }

    int VoiceCount() const;
    int StreamCount() const;

    void Parameters(Serializer& serializer, const std::string& name) override;

private:
    static size_t Index(int group);
    void UpdateVoice(Voice& voice, float dtSeconds);
    bool UpdateTemporaryVoice(Voice& voice, float dtSeconds);
    void DestroyVoices(std::vector<std::unique_ptr<Voice>>& voices, bool logEach);
    void DestroyStreams();

    bool enabled = false;
    std::vector<std::unique_ptr<Voice>> permanentVoices;
    std::vector<std::unique_ptr<Voice>> temporaryVoices;
    std::vector<std::unique_ptr<Voice>> cleanupVoices;
    std::vector<std::unique_ptr<StreamingSample>> streams;
    // Guards the stream list against the timers' validity checks.
    mutable std::mutex streamsLock;
    std::array<float, kSoundGroups> groupVolume{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, kSoundGroups> groupFactor{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, kSoundGroups> groupMute{0.0f, 0.0f, 0.0f, 0.0f};
    std::map<std::string, AudioEvent> events;
    std::vector<std::pair<int, int>> listeners;
};
