#include "sound/Biquad.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Angle {
    double cosine;
    double alpha;
};

Angle AngleFor(int rate, double hz, double q)
{
    const double limited = std::clamp(hz, 10.0, rate * 0.45);
    const double omega = 2.0 * std::numbers::pi * limited / rate;
    return {std::cos(omega), std::sin(omega) / (2.0 * std::max(q, 0.05))};
}

}  // namespace

void Biquad::Normalise(double a0, double nb0, double nb1, double nb2, double na1, double na2)
{
    b0 = nb0 / a0;
    b1 = nb1 / a0;
    b2 = nb2 / a0;
    a1 = na1 / a0;
    a2 = na2 / a0;
}

void Biquad::SetLowPass(int rate, double hz, double q)
{
    const Angle w = AngleFor(rate, hz, q);
    Normalise(1.0 + w.alpha, (1.0 - w.cosine) / 2.0, 1.0 - w.cosine, (1.0 - w.cosine) / 2.0, -2.0 * w.cosine,
              1.0 - w.alpha);
}

void Biquad::SetHighPass(int rate, double hz, double q)
{
    const Angle w = AngleFor(rate, hz, q);
    Normalise(1.0 + w.alpha, (1.0 + w.cosine) / 2.0, -(1.0 + w.cosine), (1.0 + w.cosine) / 2.0, -2.0 * w.cosine,
              1.0 - w.alpha);
}

void Biquad::SetBandPass(int rate, double hz, double q)
{
    const Angle w = AngleFor(rate, hz, q);
    Normalise(1.0 + w.alpha, w.alpha, 0.0, -w.alpha, -2.0 * w.cosine, 1.0 - w.alpha);
}

void Biquad::SetPeak(int rate, double hz, double q, double gainDb)
{
    const Angle w = AngleFor(rate, hz, q);
    const double a = std::pow(10.0, gainDb / 40.0);
    Normalise(1.0 + w.alpha / a, 1.0 + w.alpha * a, -2.0 * w.cosine, 1.0 - w.alpha * a, -2.0 * w.cosine,
              1.0 - w.alpha / a);
}

void Biquad::ProcessAll(std::vector<float>& samples)
{
    for (float& sample : samples) {
        sample = Process(sample);
    }
}

void Biquad::ProcessLoop(std::vector<float>& samples)
{
    for (float sample : samples) {
        Process(sample);
    }
    ProcessAll(samples);
}
