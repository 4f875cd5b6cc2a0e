#pragma once

#include <vector>

// Keeps peaks under a ceiling without clicks: the gain is lowered a little ahead of each
// peak (the look-ahead), held, and released slowly. Channels are limited together.
class Limiter {
public:
    Limiter(int rate, float ceiling, double lookAheadSeconds = 0.003, double releaseSeconds = 0.1);

    void Apply(std::vector<float>& samples) const;
    // Looping signals: the gain wraps round the seam like the sound does.
    void ApplyLoop(std::vector<float>& samples) const;
    void ApplyLoop(std::vector<float>& left, std::vector<float>& right) const;

private:
    void LimitMono(std::vector<float>& samples, bool circular) const;
    std::vector<float> Gains(const std::vector<float>& level, bool circular) const;
    std::vector<float> LowestNearby(const std::vector<float>& required, bool circular) const;
    void Release(std::vector<float>& gains, bool circular) const;
    std::vector<float> Smooth(const std::vector<float>& gains, bool circular) const;

    float ceiling;
    int lookAhead;
    float releaseStep;
};
