#pragma once

#include "sound/Synth.h"

// A looping stereo piece being put together: sounds placed past the end ring on into the
// start, so the loop has no seam.
class StereoMix {
public:
    StereoMix(int rate, double seconds);

    int Rate() const { return rate; }
    // pan -1 is left, 0 the middle, 1 right (equal power).
    void Add(const synth::Buffer& mono, double atSeconds, float gain, float pan);

    // A reverberant hall over everything so far, ringing round the loop.
    void AddHall(double size, float wet);

    synth::Buffer& Left() { return left; }
    synth::Buffer& Right() { return right; }
    const synth::Buffer& Left() const { return left; }
    const synth::Buffer& Right() const { return right; }

private:
    int rate;
    synth::Buffer left;
    synth::Buffer right;
};
