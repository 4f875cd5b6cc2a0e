#pragma once

#include "core/Canvas.h"
#include "sound/StereoMix.h"
#include "sound/Synth.h"

// One film: its pictures, one at a time in order, and its sound. The pictures come unfaded;
// the recorder fades them in from black and out again.
class FilmScript {
public:
    virtual ~FilmScript() = default;

    virtual int FrameCount() const = 0;
    virtual double FadeInSeconds() const = 0;
    virtual double FadeOutSeconds() const = 0;
    // The picture at frame (film_format's size, opaque).
    virtual Canvas Picture(int frame) = 0;
    // Mono at film_format::kSampleRate, as long as the pictures; the title waltz is shared.
    virtual synth::Buffer Soundtrack(const StereoMix& waltz) const = 0;
};
