#pragma once

#include <vector>

// A second-order filter section (the usual cookbook shapes). Coefficients can be changed
// between samples for sweeps; the state is kept.
class Biquad {
public:
    void SetLowPass(int rate, double hz, double q);
    void SetHighPass(int rate, double hz, double q);
    void SetBandPass(int rate, double hz, double q);
    void SetPeak(int rate, double hz, double q, double gainDb);

    float Process(float in)
    {
        const double out = b0 * in + z1;
        z1 = b1 * in - a1 * out + z2;
        z2 = b2 * in - a2 * out;
        return static_cast<float>(out);
    }
    void ProcessAll(std::vector<float>& samples);
    // Runs over a looping signal twice and keeps the second pass, so the filter state at the
    // seam is the state a listener hears when the loop comes round.
    void ProcessLoop(std::vector<float>& samples);

private:
    void Normalise(double a0, double nb0, double nb1, double nb2, double na1, double na2);

    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double z1 = 0.0;
    double z2 = 0.0;
};
