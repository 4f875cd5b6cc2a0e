#pragma once

#include <cstddef>
#include <vector>

// A short room: four damped feedback combs in parallel, then two all-pass diffusers.
// `spread` lengthens every delay a little, so two instances make a stereo pair.
class Reverb {
public:
    Reverb(int rate, double roomSize, double damping, int spread = 0);

    // The reverberated part only; the caller mixes it with the dry sound.
    float Process(float in);
    // Adds `wet` times the reverb of the samples to them.
    void AddTo(std::vector<float>& samples, float wet);
    // As AddTo, for a looping signal: a first pass fills the room, so the tail of the end
    // rings on into the start.
    void AddToLoop(std::vector<float>& samples, float wet);

private:
    struct Line {
        std::vector<float> delay;
        size_t at = 0;
        float filtered = 0.0f;
    };

    std::vector<Line> combs;
    std::vector<Line> allPasses;
    float feedback;
    float damp;
};
