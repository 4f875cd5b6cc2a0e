#pragma once

#include <string>
#include <utility>
#include <vector>

#include "figures/FigurePose.h"
#include "model/Primitive.h"

// The frames of one animation: its distinct poses (one cell each in the strip), the order in
// which they play when that differs (the frame table), and sounds at positions 0..1 of the
// played order (the audio-event map). Scenery, when given, holds solids drawn with each
// frame (the jester's bush, the queen's seat) in the look's palette.
struct AnimationClip {
    std::string name;
    std::vector<FigurePose> poses;
    std::vector<int> table;
    std::vector<std::pair<float, std::string>> events;
    std::vector<std::vector<Primitive>> scenery;
};
