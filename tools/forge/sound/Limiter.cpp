#include "sound/Limiter.h"

#include <algorithm>
#include <cmath>

namespace {

size_t Wrap(long index, size_t size)
{
    const long length = static_cast<long>(size);
    return static_cast<size_t>(((index % length) + length) % length);
}

}  // namespace

Limiter::Limiter(int rate, float ceilingLevel, double lookAheadSeconds, double releaseSeconds)
    : ceiling(ceilingLevel),
      lookAhead(std::max(1, static_cast<int>(rate * lookAheadSeconds))),
      releaseStep(static_cast<float>(1.0 - std::exp(-1.0 / (rate * releaseSeconds))))
{
}

void Limiter::Apply(std::vector<float>& samples) const
{
    LimitMono(samples, false);
}

void Limiter::ApplyLoop(std::vector<float>& samples) const
{
    LimitMono(samples, true);
}

void Limiter::LimitMono(std::vector<float>& samples, bool circular) const
{
    std::vector<float> level(samples.size());
    std::transform(samples.begin(), samples.end(), level.begin(), [](float s) { return std::fabs(s); });
    const std::vector<float> gains = Gains(level, circular);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] *= gains[i];
    }
}

void Limiter::ApplyLoop(std::vector<float>& left, std::vector<float>& right) const
{
    std::vector<float> level(left.size());
    for (size_t i = 0; i < left.size(); ++i) {
        level[i] = std::max(std::fabs(left[i]), std::fabs(right[i]));
    }
    const std::vector<float> gains = Gains(level, true);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] *= gains[i];
        right[i] *= gains[i];
    }
}

std::vector<float> Limiter::Gains(const std::vector<float>& level, bool circular) const
{
    if (level.empty()) {
        return {};
    }
    std::vector<float> required(level.size(), 1.0f);
    for (size_t i = 0; i < level.size(); ++i) {
        if (level[i] > ceiling) {
            required[i] = ceiling / level[i];
        }
    }
    std::vector<float> gains = LowestNearby(required, circular);
    Release(gains, circular);
    return Smooth(gains, circular);
}

// Every sample within the look-ahead of a peak gets at most the peak's gain; peaks are rare,
// so this visits only their neighbourhoods.
std::vector<float> Limiter::LowestNearby(const std::vector<float>& required, bool circular) const
{
    std::vector<float> lowest = required;
    const long size = static_cast<long>(required.size());
    for (long i = 0; i < size; ++i) {
        if (required[static_cast<size_t>(i)] >= 1.0f) {
            continue;
        }
        for (long j = i - lookAhead; j <= i + lookAhead; ++j) {
            if (!circular && (j < 0 || j >= size)) {
                continue;
            }
            float& target = lowest[Wrap(j, required.size())];
            target = std::min(target, required[static_cast<size_t>(i)]);
        }
    }
    return lowest;
}

void Limiter::Release(std::vector<float>& gains, bool circular) const
{
    const int passes = circular ? 2 : 1;
    float gain = 1.0f;
    for (int pass = 0; pass < passes; ++pass) {
        for (float& target : gains) {
            gain = std::min(target, gain + (1.0f - gain) * releaseStep);
            if (pass == passes - 1) {
                target = gain;
            }
        }
    }
}

// A centred moving average no wider than the look-ahead: it ramps the gain down before a
// peak and never lets the gain at the peak exceed what the peak needs.
std::vector<float> Limiter::Smooth(const std::vector<float>& gains, bool circular) const
{
    const long size = static_cast<long>(gains.size());
    const long half = lookAhead / 2;
    std::vector<float> smooth(gains.size());
    auto at = [&](long index) {
        if (circular) {
            return gains[Wrap(index, gains.size())];
        }
        return gains[static_cast<size_t>(std::clamp(index, 0L, size - 1))];
    };
    double sum = 0.0;
    for (long j = -half; j <= half; ++j) {
        sum += at(j);
    }
    for (long i = 0; i < size; ++i) {
        smooth[static_cast<size_t>(i)] = static_cast<float>(sum / (2 * half + 1));
        sum += at(i + half + 1) - at(i - half);
    }
    return smooth;
}
