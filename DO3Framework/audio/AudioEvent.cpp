#include "audio/AudioEvent.h"

#include <algorithm>

#include "params/Serializer.h"

void AudioEvent::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("AudioEvent", name);
    serializer.String("name", sampleName);
    serializer.Bool("is 3d", is3d);
    serializer.Bool("is looping", looping);
    serializer.Float("volume", volume);
    serializer.Float("volume variation", volumeVariation);
    serializer.Float("pitch", pitch);
    serializer.Float("pitch variation", pitchVariation);
    serializer.Float("priority", priority);
    serializer.Float("minDistance", minDistance);
    serializer.Float("maxDistance", maxDistance);
    serializer.Int("soundGroup", soundGroup);
    serializer.EndSection();
    ClampValues();
}

void AudioEvent::ClampValues()
{
    priority = std::clamp(priority, 0.0f, 1.0f);
    minDistance = std::max(minDistance, 1.0f);
    maxDistance = std::max(maxDistance, 1.0f);
}

int AudioEvent::Group() const
{
    return std::clamp(soundGroup, 0, kSoundGroups - 1);
}
