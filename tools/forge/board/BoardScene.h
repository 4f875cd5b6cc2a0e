#pragma once

#include <map>
#include <string>
#include <vector>

#include "board/BoardLayout.h"
#include "core/Canvas.h"

// Paints the board screen once: the opaque background, the object layers the masks are cut
// from, and the frames of the three background animations, all lined up pixel for pixel.
class BoardScene {
public:
    static constexpr int kForestFrames = 6;

    BoardScene();

    const Canvas& Background() const { return background; }
    // The background's pixels where the mask's object stands, from the mask's (x, y) to the
    // object's lower right; everything else transparent.
    Canvas CutMask(const board::Placement& mask) const;
    // The layer an obstacle was painted on (transparent elsewhere), or null for an unknown name.
    const Canvas* ObjectLayer(const std::string& name) const;
    // Frames cover only what changes: the crowns (forest), the puffs (chimney), the stream (water).
    std::vector<Canvas> ForestFrames() const;
    std::vector<Canvas> SmokeFrames() const;
    std::vector<Canvas> WaterFrames() const;

private:
    void PaintProps();
    Canvas ForestComposite(double phase) const;

    Canvas background;
    Canvas sky;
    Canvas front;
    Canvas forestReach;
    std::map<std::string, Canvas> objectLayers;
};
