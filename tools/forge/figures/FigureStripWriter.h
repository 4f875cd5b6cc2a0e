#pragma once

#include <string>
#include <vector>

#include "core/ForgeOutput.h"
#include "figures/AnimationClip.h"
#include "figures/FigureBuilder.h"
#include "figures/FigureLook.h"
#include "model/ModelRenderer.h"

// Renders animation clips into 8-bit run-length strips (frames stacked downwards) and writes
// each with its sprite-list line, frame table, audio-event map and review-sheet entry.
class FigureStripWriter {
public:
    struct Cell {
        int width = 0;
        int height = 0;
        int footLift = 0;        // pixels between the feet and the cell's bottom edge
        float pixelsPerUnit = 1.0f;
    };

    static constexpr int kDirections = 8;
    static const char* const kDirectionSuffixes[kDirections];

    FigureStripWriter(ForgeOutput& output, std::string listPath, std::string directory);

    // Writes name + "_" + clip + "_" + suffix for the eight directions; shiftX[d] moves the
    // feet away from the cell's centre for direction d (null: centred).
    void WriteTurning(const std::string& name, const std::string& sheet, const FigureLook& look, const AnimationClip& clip,
                      const Cell& cell, const float* shiftX = nullptr);
    // Writes one strip under label, the model turned by yaw (0 faces the viewer).
    void WriteFacing(const std::string& label, const std::string& sheet, const FigureLook& look, const AnimationClip& clip,
                     const Cell& cell, float yawRadians);
    // Writes a finished strip of frameCount frames.
    void WriteStrip(const std::string& label, const std::string& sheet, const Canvas& strip, int frameCount,
                    const AnimationClip& clip);

    Canvas RenderStrip(const FigureLook& look, const AnimationClip& clip, const Cell& cell, float yawRadians, float shiftX);
    // The yaw that shows direction d (0 north, the figure's back, clockwise to 7 north-west).
    static float DirectionYaw(int direction);

private:
    ForgeOutput& output;
    std::string listPath;
    std::string directory;
    FigureBuilder builder;
    ModelRenderer renderer;
    std::vector<Primitive> model;
};
