#include "figures/DwarfIcons.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "figures/FigureAnimations.h"
#include "figures/FigureBuilder.h"
#include "figures/FigureLooks.h"
#include "model/ModelRenderer.h"

namespace {

constexpr int kIconSize = 80;
constexpr int kFrameWidth = 3;
constexpr float kPortraitScale = 1.6f;
constexpr float kHeadHeightUnits = 60.0f;
constexpr float kHeadCentreY = 40.0f;
const char* const kDwarfNames[] = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};

uint8_t Mix(uint8_t a, uint8_t b, float t) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); }

// A sunny backdrop tinted with the dwarf's hood, lighter towards the upper left.
void PaintBackdrop(Canvas& icon, Rgba hood)
{
    const Rgba sky{255, 240, 200, 255};
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            float d = std::hypot(static_cast<float>(x) - 28.0f, static_cast<float>(y) - 24.0f) / 80.0f;
            float t = std::clamp(0.25f + d, 0.0f, 0.75f);
            icon.Set(x, y, {Mix(sky.r, hood.r, t), Mix(sky.g, hood.g, t), Mix(sky.b, hood.b, t), 255});
        }
    }
}

void PaintFrame(Canvas& icon)
{
    const Rgba outer{70, 42, 24, 255};
    const Rgba wood{176, 118, 62, 255};
    const Rgba light{226, 178, 110, 255};
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            int edge = std::min(std::min(x, y), std::min(kIconSize - 1 - x, kIconSize - 1 - y));
            if (edge == 0 || edge == kFrameWidth) {
                icon.Set(x, y, outer);
            } else if (edge < kFrameWidth) {
                icon.Set(x, y, (x < y) == (x + y < kIconSize) ? wood : light);
            }
        }
    }
}

}  // namespace

void ForgeDwarfIcons(ForgeOutput& output, const char* listPath, const char* directory)
{
    FigureBuilder builder;
    ModelRenderer renderer;
    std::vector<Primitive> model;
    FigurePose pose = figure_animations::Standing();
    pose.headYaw = 0.15f;
    const float cosElevation = std::sqrt(1.0f - ModelRenderer::kElevationSine * ModelRenderer::kElevationSine);
    ModelView view;
    view.yawRadians = 0.3f;
    view.pixelsPerUnit = kPortraitScale;
    view.originX = kIconSize * 0.5f + 2.0f;
    view.originY = kHeadCentreY + kHeadHeightUnits * cosElevation * kPortraitScale;
    for (const char* name : kDwarfNames) {
        FigureLook look = figure_looks::Dwarf(name);
        Canvas icon(kIconSize, kIconSize);
        PaintBackdrop(icon, look.palette[FigureLook::kHood].colour);
        builder.Build(look, pose, model);
        renderer.Render(model, look.palette, view, icon, 0, 0, kIconSize, kIconSize);
        PaintFrame(icon);
        const std::string label = std::string(name) + "_icon";
        output.WriteBytes(std::string(directory) + label + ".bmp", bmp::Encode24(icon));
        output.AddSpriteLine(listPath, label + " static " + label + " normx");
        output.AddToSheet(name, label, icon);
    }
}
