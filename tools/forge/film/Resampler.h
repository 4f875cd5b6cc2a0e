#pragma once

#include <functional>

#include "core/Canvas.h"
#include "film/FilmCamera.h"

// Scales pictures with a tent filter, separably: each target pixel averages the source pixels
// under it, weighted by distance. Positions and scales may be fractional, so a figure gliding by
// a third of a pixel moves smoothly, and its edges are soft against what lies beneath.
namespace resampler {

// A softness above 1 widens the filter beyond the pixel footprint: a softer picture, which
// also packs into fewer JPEG bytes.
constexpr double kCrisp = 1.0;

// Softness by source row (counted from the top of the whole source picture).
using RowSoftness = std::function<double(double sourceRow)>;

struct Placement {
    double x = 0.0;      // where the source's top-left corner lands in the target
    double y = 0.0;
    double scale = 1.0;  // target pixels per source pixel
    double opacity = 1.0;
    double softness = kCrisp;
};

// Lays rows top .. top + height of source over target as placed (alpha-blended).
void Draw(Canvas& target, const Canvas& source, int top, int height, const Placement& placement);
// Fills target, opaque, with what the camera sees of an opaque source.
void Reduce(const Canvas& source, const FilmCamera& camera, const RowSoftness& softness, Canvas& target);

}  // namespace resampler
