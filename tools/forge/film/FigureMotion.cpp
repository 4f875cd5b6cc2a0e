#include "film/FigureMotion.h"

#include <algorithm>
#include <cmath>

namespace figure_motion {

int Heading(double dColumn, double dRow)
{
    const double eighth = std::atan2(dColumn, -dRow) / (std::atan(1.0));
    return ((static_cast<int>(std::lround(eighth)) % 8) + 8) % 8;
}

int LoopFrame(double seconds, double fps, int frames)
{
    const int played = static_cast<int>(std::floor(std::max(0.0, seconds) * fps));
    return frames > 0 ? played % frames : 0;
}

int HoldFrame(double seconds, double fps, int frames)
{
    const int played = static_cast<int>(std::floor(std::max(0.0, seconds) * fps));
    return std::clamp(played, 0, std::max(0, frames - 1));
}

namespace {

// Signed steps, clockwise positive.
int SignedSteps(int from, int to)
{
    const int clockwise = ((to - from) % 8 + 8) % 8;
    return clockwise <= 4 ? clockwise : clockwise - 8;
}

}  // namespace

int TurnSteps(int from, int to) { return std::abs(SignedSteps(from, to)); }

int Turning(int from, int to, double seconds, double stepSeconds)
{
    const int steps = SignedSteps(from, to);
    const int taken = std::min(std::abs(steps), static_cast<int>(std::floor(std::max(0.0, seconds) / stepSeconds)));
    return ((from + (steps < 0 ? -taken : taken)) % 8 + 8) % 8;
}

double Smooth(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double Hops(double seconds, std::span<const double> starts, double duration, double height)
{
    for (double start : starts) {
        const double p = (seconds - start) / duration;
        if (p > 0.0 && p < 1.0) {
            return 4.0 * height * p * (1.0 - p);
        }
    }
    return 0.0;
}

}  // namespace figure_motion
