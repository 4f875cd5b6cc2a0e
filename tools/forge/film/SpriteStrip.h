#pragma once

#include "core/Canvas.h"

// A picture of equally high frames stacked downwards, as the forge renders animations; the
// picture belongs to the forge's output and outlives the films.
struct SpriteStrip {
    const Canvas* picture = nullptr;
    int frames = 1;

    bool Valid() const { return picture != nullptr; }
    int Width() const { return picture ? picture->Width() : 0; }
    int FrameHeight() const { return picture ? picture->Height() / frames : 0; }
};
