#pragma once

#include <vector>

#include "core/Canvas.h"

// Stacks equally sized frames top to bottom into one strip, as anim sprites are stored.
inline Canvas StackFrames(const std::vector<Canvas>& frames)
{
    if (frames.empty()) {
        return Canvas();
    }
    int width = frames.front().Width();
    int height = frames.front().Height();
    Canvas strip(width, height * static_cast<int>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i) {
        for (int y = 0; y < height && y < frames[i].Height(); ++y) {
            for (int x = 0; x < width && x < frames[i].Width(); ++x) {
                strip.At(x, static_cast<int>(i) * height + y) = frames[i].At(x, y);
            }
        }
    }
    return strip;
}
