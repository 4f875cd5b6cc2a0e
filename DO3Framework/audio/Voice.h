#pragma once

#include "params/Object.h"

class AudioEvent;
class Sample;

// One sounding of an audio event. It draws its own volume and pitch from the event's spread
// and borrows a free copy of the event's sample from the sample manager only while it sounds;
// the sound engine hands the copy over in its Update.
class Voice : public Object {
public:
    ~Voice() override;

    void SetEvent(const AudioEvent* event);
    // Gives the sample copy back, stopping it.
    void Release();
    // Draws volume and pitch anew and restarts the voice if it was sounding.
    void Reload();
    void Update(float dtSeconds);
    void Play();
    void Halt();
    bool IsSounding() const;
    bool IsActive() const { return active; }
    void SetVolume(float volume);
    void SetPitch(float pitch);
    float GetPitch() const { return userPitch; }
    float GetVolume() const { return userVolume; }
    // Null gives the copy back when it loops, is forced, or has finished; a one-shot still
    // playing keeps playing to its end.
    void SetSample(Sample* sample, bool forced);
    void SetPosition(int x, int y);

    const AudioEvent* Event() const { return event; }
    Sample* CurrentSample() const { return sample; }
    int Priority() const { return priority; }
    // This voice's draw of the event's volume and pitch.
    float VolumeFactor() const { return volumeFactor; }
    float PitchFactor() const { return pitchFactor; }

private:
    float DistanceToNearestListener() const;
    float Attenuation(float distance) const;

    int priority = 0;
    bool active = false;
    float volumeFactor = 1.0f;
    float pitchFactor = 1.0f;
    float userVolume = 1.0f;
    float userPitch = 1.0f;
    float attenuation = 1.0f;
    const AudioEvent* event = nullptr;
    Sample* sample = nullptr;
    int positionX = 0;
    int positionY = 0;
};
