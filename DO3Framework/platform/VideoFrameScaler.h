#pragma once

#include <cstdint>
#include <vector>

#include "platform/PixelSurface.h"

namespace platform {

// Scales a picture of red, green, blue bytes into a rectangle of a locked surface with
// bilinear filtering, packing each pixel into the surface's format. The rectangle is clipped
// to the surface. The column steps are kept, so scaling frame after frame of one size into
// one rectangle allocates nothing.
class VideoFrameScaler {
public:
    void Draw(const uint8_t* rgb, int width, int height, const LockedPixels& target, const PixelRect& rect);

private:
    struct Step {
        int first = 0;   // source index of the left (upper) neighbour
        int weight = 0;  // of the right (lower) neighbour, 0..256
    };
    static void ComputeSteps(std::vector<Step>& steps, int sourceSize, int targetSize);
    void PrepareSteps(int width, int height, const PixelRect& rect);

    std::vector<Step> columns;
    std::vector<Step> rows;
    int preparedWidth = 0;
    int preparedHeight = 0;
    PixelRect preparedRect;
};

}  // namespace platform
