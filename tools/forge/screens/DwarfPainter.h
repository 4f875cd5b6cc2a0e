#pragma once

#include "core/Canvas.h"

// A flat, front-facing picture of fenno for the screens (the board's figures are modelled in
// 3D elsewhere; these share his colours: red hood with a golden bobble, golden tunic, white beard).
namespace dwarf_painter {

enum class Pose {
    kCarrying,  // the board on his shoulder
    kCheering,  // the board raised high
    kWaving,    // one hand waving, the board leaning beside him
};

// Paints the dwarf standing with his feet's centre at (x, y); height is about 200 x scale pixels.
void PaintDwarf(Canvas& canvas, double x, double y, double scale, Pose pose);

}  // namespace dwarf_painter
