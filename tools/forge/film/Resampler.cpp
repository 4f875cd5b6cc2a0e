#include "film/Resampler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace resampler {
namespace {

// For each target index in [targetFirst, targetEnd): the source indices and their weights.
struct Taps {
    int targetFirst = 0;
    int stride = 0;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;

    int Size() const { return static_cast<int>(first.size()); }
};

// How a run of target pixels maps onto a run of source pixels: target coordinate t shows source
// coordinate (t - origin) / scale. Transparent sources normalise by the whole filter, so their
// edges fade out; opaque ones only by what lies inside.
struct Axis {
    int targetFirst;
    int targetEnd;
    double origin;
    double scale;
    int sourceSize;
    bool opaque;
};

// Softness is asked for by the source coordinate a target pixel centres on.
Taps MakeTaps(const Axis& axis, const RowSoftness& softnessAt, double maxSoftness)
{
    Taps taps;
    taps.targetFirst = axis.targetFirst;
    const double footprint = std::max(1.0, 1.0 / axis.scale);
    taps.stride = static_cast<int>(std::ceil(2.0 * footprint * maxSoftness)) + 2;
    const int size = std::max(0, axis.targetEnd - axis.targetFirst);
    taps.first.assign(static_cast<size_t>(size), 0);
    taps.count.assign(static_cast<size_t>(size), 0);
    taps.weights.assign(static_cast<size_t>(size) * taps.stride, 0.0f);
    for (int t = 0; t < size; ++t) {
        const double centre = (axis.targetFirst + t + 0.5 - axis.origin) / axis.scale;
        const double radius = footprint * std::min(maxSoftness, softnessAt(centre));
        const int low = static_cast<int>(std::ceil(centre - radius - 0.5));
        const int high = static_cast<int>(std::floor(centre + radius - 0.5));
        auto weight = [&](int i) { return std::max(0.0, 1.0 - std::fabs(i + 0.5 - centre) / radius); };
        double whole = 0.0;
        double inside = 0.0;
        for (int i = low; i <= high; ++i) {
            whole += weight(i);
            inside += (i >= 0 && i < axis.sourceSize) ? weight(i) : 0.0;
        }
        const double norm = axis.opaque ? inside : whole;
        const int from = std::max(low, 0);
        const int to = std::min(high, axis.sourceSize - 1);
        if (norm <= 0.0 || to < from) {
            continue;
        }
        taps.first[static_cast<size_t>(t)] = from;
        taps.count[static_cast<size_t>(t)] = to - from + 1;
        for (int i = from; i <= to; ++i) {
            taps.weights[static_cast<size_t>(t) * taps.stride + (i - from)] = static_cast<float>(weight(i) / norm);
        }
    }
    return taps;
}

struct Premultiplied {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// Source rows rowFirst..rowEnd (of the part starting at rowOffset) filtered across into target
// columns; each row with the taps of its own softness.
std::vector<Premultiplied> FilterAcross(const Canvas& source, int rowOffset, int rowFirst, int rowEnd, const Axis& axis,
                                        const RowSoftness& softness, double maxSoftness)
{
    const int width = std::max(0, axis.targetEnd - axis.targetFirst);
    std::vector<Premultiplied> rows(static_cast<size_t>(std::max(0, rowEnd - rowFirst)) * width);
    std::map<double, Taps> tapsBySoftness;
    for (int row = rowFirst; row < rowEnd; ++row) {
        const double rowSoftness = std::min(maxSoftness, softness(rowOffset + row + 0.5));
        auto found = tapsBySoftness.find(rowSoftness);
        if (found == tapsBySoftness.end()) {
            const RowSoftness constant = [rowSoftness](double) { return rowSoftness; };
            found = tapsBySoftness.emplace(rowSoftness, MakeTaps(axis, constant, maxSoftness)).first;
        }
        const Taps& across = found->second;
        Premultiplied* out = &rows[static_cast<size_t>(row - rowFirst) * width];
        for (int t = 0; t < width; ++t) {
            const float* w = &across.weights[static_cast<size_t>(t) * across.stride];
            const int first = across.first[static_cast<size_t>(t)];
            Premultiplied sum;
            for (int k = 0; k < across.count[static_cast<size_t>(t)]; ++k) {
                const Rgba& p = source.At(first + k, rowOffset + row);
                const float coverage = w[k] * p.a;
                sum.r += coverage * p.r;
                sum.g += coverage * p.g;
                sum.b += coverage * p.b;
                sum.a += coverage;
            }
            out[t] = sum;
        }
    }
    return rows;
}

uint8_t ToByte(float value) { return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

// Filters the rows down and lays the result over target (or replaces it, when opaque).
void FilterDown(Canvas& target, const std::vector<Premultiplied>& rows, int rowFirst, int targetLeft, int width,
                const Taps& down, double opacity, bool opaque)
{
    const float keep = static_cast<float>(opacity);
    for (int t = 0; t < down.Size(); ++t) {
        const int y = down.targetFirst + t;
        const float* w = &down.weights[static_cast<size_t>(t) * down.stride];
        const int first = down.first[static_cast<size_t>(t)];
        const int count = down.count[static_cast<size_t>(t)];
        for (int column = 0; column < width; ++column) {
            Premultiplied sum;
            for (int k = 0; k < count; ++k) {
                const Premultiplied& p = rows[static_cast<size_t>(first + k - rowFirst) * width + column];
                sum.r += w[k] * p.r;
                sum.g += w[k] * p.g;
                sum.b += w[k] * p.b;
                sum.a += w[k] * p.a;
            }
            Rgba& under = target.At(targetLeft + column, y);
            if (opaque) {
                const float unit = sum.a > 0.0f ? 1.0f / sum.a : 0.0f;
                under = {ToByte(sum.r * unit), ToByte(sum.g * unit), ToByte(sum.b * unit), 255};
                continue;
            }
            const float alpha = sum.a * keep / 255.0f;
            if (alpha <= 0.0f) {
                continue;
            }
            const float rest = 1.0f - alpha;
            under.r = ToByte(sum.r * keep / 255.0f + under.r * rest);
            under.g = ToByte(sum.g * keep / 255.0f + under.g * rest);
            under.b = ToByte(sum.b * keep / 255.0f + under.b * rest);
            under.a = ToByte(alpha * 255.0f + under.a * rest);
        }
    }
}

void Resample(Canvas& target, const Canvas& source, int top, int height, const Placement& at,
              const RowSoftness& softness, double maxSoftness, bool opaque)
{
    if (at.scale <= 0.0) {
        return;
    }
    const double reach = std::max(1.0, at.scale) * maxSoftness + 1.0;
    const int left = std::max(0, static_cast<int>(std::floor(at.x - reach)));
    const int right = std::min(target.Width(), static_cast<int>(std::ceil(at.x + source.Width() * at.scale + reach)));
    const int upper = std::max(0, static_cast<int>(std::floor(at.y - reach)));
    const int lower = std::min(target.Height(), static_cast<int>(std::ceil(at.y + height * at.scale + reach)));
    if (left >= right || upper >= lower) {
        return;
    }
    const Axis across{left, right, at.x, at.scale, source.Width(), opaque};
    const Axis downAxis{upper, lower, at.y, at.scale, height, opaque};
    const RowSoftness softnessInPart = [&](double row) { return softness(top + row); };
    const Taps down = MakeTaps(downAxis, softnessInPart, maxSoftness);
    int rowFirst = height;
    int rowEnd = 0;
    for (int t = 0; t < down.Size(); ++t) {
        if (down.count[static_cast<size_t>(t)] > 0) {
            rowFirst = std::min(rowFirst, down.first[static_cast<size_t>(t)]);
            rowEnd = std::max(rowEnd, down.first[static_cast<size_t>(t)] + down.count[static_cast<size_t>(t)]);
        }
    }
    if (rowFirst >= rowEnd) {
        return;
    }
    const std::vector<Premultiplied> rows = FilterAcross(source, top, rowFirst, rowEnd, across, softness, maxSoftness);
    FilterDown(target, rows, rowFirst, left, right - left, down, at.opacity, opaque);
}

}  // namespace

void Draw(Canvas& target, const Canvas& source, int top, int height, const Placement& placement)
{
    if (top < 0 || height <= 0 || top + height > source.Height() || placement.opacity <= 0.0) {
        return;
    }
    const double softness = placement.softness;
    Resample(target, source, top, height, placement, [softness](double) { return softness; }, softness, false);
}

void Reduce(const Canvas& source, const FilmCamera& camera, const RowSoftness& softness, Canvas& target)
{
    double maxSoftness = kCrisp;
    for (int row = 0; row < source.Height(); ++row) {
        maxSoftness = std::max(maxSoftness, softness(row + 0.5));
    }
    const Placement whole{-camera.left * camera.zoom, -camera.top * camera.zoom, camera.zoom, 1.0, kCrisp};
    Resample(target, source, 0, source.Height(), whole, softness, maxSoftness, true);
}

}  // namespace resampler
