#include "figures/FigureStripWriter.h"

#include <cstdio>

#include "core/BmpEncoder.h"

const char* const FigureStripWriter::kDirectionSuffixes[kDirections] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

namespace {

constexpr float kPi = 3.14159265f;

std::string FormatPosition(float position)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(position));
    return text;
}

}  // namespace

FigureStripWriter::FigureStripWriter(ForgeOutput& forgeOutput, std::string list, std::string spriteDirectory)
    : output(forgeOutput), listPath(std::move(list)), directory(std::move(spriteDirectory))
{
}

float FigureStripWriter::DirectionYaw(int direction) { return kPi - static_cast<float>(direction) * kPi / 4.0f; }

Canvas FigureStripWriter::RenderStrip(const FigureLook& look, const AnimationClip& clip, const Cell& cell, float yawRadians,
                                      float shiftX)
{
    const std::vector<FigurePose>& poses = clip.poses;
    Canvas strip(cell.width, cell.height * static_cast<int>(poses.size()));
    ModelView view;
    view.yawRadians = yawRadians;
    view.pixelsPerUnit = cell.pixelsPerUnit;
    view.originX = static_cast<float>(cell.width) * 0.5f + shiftX;
    view.originY = static_cast<float>(cell.height - cell.footLift);
    for (size_t i = 0; i < poses.size(); ++i) {
        builder.Build(look, poses[i], model);
        if (i < clip.scenery.size()) {
            model.insert(model.end(), clip.scenery[i].begin(), clip.scenery[i].end());
        }
        renderer.Render(model, look.palette, view, strip, 0, static_cast<int>(i) * cell.height, cell.width, cell.height);
    }
    return strip;
}

void FigureStripWriter::WriteStrip(const std::string& label, const std::string& sheet, const Canvas& strip, int frameCount,
                                   const AnimationClip& clip)
{
    const std::string base = directory + label;
    output.WriteBytes(base + ".bmp", bmp::Encode8(strip));
    output.AddSpriteLine(listPath, label + " anim_rle " + label + " normx " + std::to_string(frameCount));
    if (!clip.table.empty()) {
        std::string table;
        for (int frame : clip.table) {
            table += std::to_string(frame);
            table += ' ';
        }
        table.back() = '\n';
        output.WriteText(base + ".txt", table);
    }
    if (!clip.events.empty()) {
        std::string events;
        for (const auto& [position, name] : clip.events) {
            events += FormatPosition(position) + " " + name + "\n";
        }
        output.WriteText(base + "_audioevents.txt", events);
    }
    output.AddToSheet(sheet, label, strip);
}

void FigureStripWriter::WriteFacing(const std::string& label, const std::string& sheet, const FigureLook& look,
                                    const AnimationClip& clip, const Cell& cell, float yawRadians)
{
    WriteStrip(label, sheet, RenderStrip(look, clip, cell, yawRadians, 0.0f), static_cast<int>(clip.poses.size()), clip);
}

void FigureStripWriter::WriteTurning(const std::string& name, const std::string& sheet, const FigureLook& look,
                                     const AnimationClip& clip, const Cell& cell, const float* shiftX)
{
    for (int d = 0; d < kDirections; ++d) {
        Canvas strip = RenderStrip(look, clip, cell, DirectionYaw(d), shiftX ? shiftX[d] : 0.0f);
        WriteStrip(name + "_" + clip.name + "_" + kDirectionSuffixes[d], sheet, strip, static_cast<int>(clip.poses.size()), clip);
    }
}
