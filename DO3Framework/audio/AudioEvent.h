#pragma once

#include <string>

#include "params/Object.h"

// How a named sound plays: the sample it borrows, looping, volume and pitch with a random
// spread per voice, its sound group and optional distance attenuation.
class AudioEvent : public Object {
public:
    static constexpr int kSoundGroups = 4;

    void Parameters(Serializer& serializer, const std::string& name) override;

    // The group as an index into the engine's tables (0 to 3).
    int Group() const;

    std::string sampleName;
    bool is3d = false;
    bool looping = false;
    float volume = 1.0f;
    float volumeVariation = 0.0f;
    float pitch = 1.0f;
    float pitchVariation = 0.0f;
    float priority = 0.5f;
    float minDistance = 0.0f;
    float maxDistance = 20.0f;
    int soundGroup = 1;

private:
    void ClampValues();
};
