#include "sound/Reverb.h"

#include <algorithm>

namespace {

// Mutually prime delays in samples at 44100 Hz, from a classic small-room tuning.
constexpr int kCombDelays[] = {1116, 1277, 1422, 1557};
constexpr int kAllPassDelays[] = {556, 341};
constexpr float kAllPassFeedback = 0.5f;
constexpr double kReferenceRate = 44100.0;

}  // namespace

Reverb::Reverb(int rate, double roomSize, double damping, int spread)
    : feedback(static_cast<float>(0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0))),
      damp(static_cast<float>(std::clamp(damping, 0.0, 0.95)))
{
    const double scale = rate / kReferenceRate;
    for (int delay : kCombDelays) {
        Line line;
        line.delay.assign(static_cast<size_t>(std::max(1.0, (delay + spread) * scale)), 0.0f);
        combs.push_back(std::move(line));
    }
    for (int delay : kAllPassDelays) {
        Line line;
        line.delay.assign(static_cast<size_t>(std::max(1.0, (delay + spread) * scale)), 0.0f);
        allPasses.push_back(std::move(line));
    }
}

float Reverb::Process(float in)
{
    float sum = 0.0f;
    const float input = in * 0.25f;
    for (Line& comb : combs) {
        const float out = comb.delay[comb.at];
        comb.filtered = out * (1.0f - damp) + comb.filtered * damp;
        comb.delay[comb.at] = input + comb.filtered * feedback;
        comb.at = (comb.at + 1) % comb.delay.size();
        sum += out;
    }
    for (Line& pass : allPasses) {
        const float buffered = pass.delay[pass.at];
        const float out = buffered - sum;
        pass.delay[pass.at] = sum + buffered * kAllPassFeedback;
        pass.at = (pass.at + 1) % pass.delay.size();
        sum = out;
    }
    return sum;
}

void Reverb::AddTo(std::vector<float>& samples, float wet)
{
    for (float& sample : samples) {
        sample += wet * Process(sample);
    }
}

void Reverb::AddToLoop(std::vector<float>& samples, float wet)
{
    for (float sample : samples) {
        Process(sample);
    }
    AddTo(samples, wet);
}
