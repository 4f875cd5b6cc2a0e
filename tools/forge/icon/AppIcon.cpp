#include "icon/AppIcon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "figures/FigureAnimations.h"
#include "figures/FigureBuilder.h"
#include "figures/FigureLooks.h"
#include "model/ModelRenderer.h"

namespace {

constexpr int kOversampling = 3;
// The portrait's framing, as the status panel's 80-pixel icons have it.
constexpr float kPortraitSize = 80.0f;
constexpr float kPortraitScale = 1.6f;
constexpr float kHeadHeightUnits = 60.0f;
constexpr float kHeadCentreY = 40.0f;
constexpr float kRingShare = 0.07f;
constexpr const char* kDwarf = "fenno";

uint8_t Mix(uint8_t a, uint8_t b, float t) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); }

float DistanceFromCentre(int x, int y, int size)
{
    const float centre = static_cast<float>(size) * 0.5f;
    return std::hypot(static_cast<float>(x) + 0.5f - centre, static_cast<float>(y) + 0.5f - centre);
}

// The sunny backdrop of the portraits, tinted with the hood, inside the disc.
void PaintBackdrop(Canvas& icon, Rgba hood)
{
    const Rgba sky{255, 240, 200, 255};
    const int size = icon.Width();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d = std::hypot(static_cast<float>(x) - size * 0.35f, static_cast<float>(y) - size * 0.3f) / size;
            const float t = std::clamp(0.25f + d, 0.0f, 0.75f);
            icon.Set(x, y, {Mix(sky.r, hood.r, t), Mix(sky.g, hood.g, t), Mix(sky.b, hood.b, t), 255});
        }
    }
}

// A wooden ring, lit from the upper left; everything outside it becomes transparent.
void PaintRing(Canvas& icon)
{
    const Rgba outer{70, 42, 24, 255};
    const Rgba wood{176, 118, 62, 255};
    const Rgba light{226, 178, 110, 255};
    const int size = icon.Width();
    const float radius = static_cast<float>(size) * 0.5f;
    const float ring = static_cast<float>(size) * kRingShare;
    const float edge = std::max(1.0f, static_cast<float>(size) / 96.0f);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float inset = radius - DistanceFromCentre(x, y, size);
            if (inset < 0.0f) {
                icon.Set(x, y, {});
            } else if (inset < edge || (inset >= ring && inset < ring + edge)) {
                icon.Set(x, y, outer);
            } else if (inset < ring) {
                icon.Set(x, y, x + y < size ? light : wood);
            }
        }
    }
}

}  // namespace

Canvas AppIcon::Paint(int size)
{
    return Reduced(PaintLarge(size * kOversampling), kOversampling);
}

Canvas AppIcon::PaintLarge(int size)
{
    const float zoom = static_cast<float>(size) / kPortraitSize;
    FigureLook look = figure_looks::Dwarf(kDwarf);
    FigurePose pose = figure_animations::Standing();
    pose.headYaw = 0.15f;
    std::vector<Primitive> model;
    FigureBuilder().Build(look, pose, model);
    const float cosElevation = std::sqrt(1.0f - ModelRenderer::kElevationSine * ModelRenderer::kElevationSine);
    ModelView view;
    view.yawRadians = 0.3f;
    view.pixelsPerUnit = kPortraitScale * zoom;
    view.originX = static_cast<float>(size) * 0.5f + 2.0f * zoom;
    view.originY = (kHeadCentreY + kHeadHeightUnits * cosElevation * kPortraitScale) * zoom;
    Canvas icon(size, size);
    PaintBackdrop(icon, look.palette[FigureLook::kHood].colour);
    ModelRenderer().Render(model, look.palette, view, icon, 0, 0, size, size);
    PaintRing(icon);
    return icon;
}

// Averages factor x factor blocks, colours weighted by their coverage.
Canvas AppIcon::Reduced(const Canvas& large, int factor)
{
    Canvas small(large.Width() / factor, large.Height() / factor);
    const int samples = factor * factor;
    for (int y = 0; y < small.Height(); ++y) {
        for (int x = 0; x < small.Width(); ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const Rgba& pixel = large.At(x * factor + dx, y * factor + dy);
                    r += pixel.r * pixel.a;
                    g += pixel.g * pixel.a;
                    b += pixel.b * pixel.a;
                    a += pixel.a;
                }
            }
            if (a > 0) {
                small.Set(x, y, {static_cast<uint8_t>((r + a / 2) / a), static_cast<uint8_t>((g + a / 2) / a),
                                 static_cast<uint8_t>((b + a / 2) / a),
                                 static_cast<uint8_t>((a + samples / 2) / samples)});
            }
        }
    }
    return small;
}
