#pragma once

#include "core/Canvas.h"

// The surface of a primitive: its colour in full light and how glossy it is (0 matt cloth,
// about 1 for polished metal).
struct Material {
    Rgba colour;
    float gloss = 0.0f;
};
