#include "platform/VideoFrameScaler.h"

#include <algorithm>

#include "platform/PixelRows.h"

namespace platform {

namespace {

// Where a channel's mask sits and how many bits it has, to pack 8-bit values into it.
struct ChannelPacking {
    int shift = 0;
    int bits = 0;

    explicit ChannelPacking(uint32_t mask)
    {
        while (mask != 0 && (mask & 1u) == 0) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1u) {
            mask >>= 1;
            ++bits;
        }
    }
    uint32_t Pack(int value) const { return (static_cast<uint32_t>(value) >> (8 - bits)) << shift; }
};

inline int Blend(int a, int b, int weight)
{
    return a + (((b - a) * weight) >> 8);
}

}  // namespace

void VideoFrameScaler::ComputeSteps(std::vector<Step>& steps, int sourceSize, int targetSize)
{
    steps.resize(static_cast<size_t>(targetSize));
    // Pixel centres line up: target centre i + 0.5 maps to source (i + 0.5) * s / t - 0.5.
    for (int i = 0; i < targetSize; ++i) {
        int64_t position = ((2 * static_cast<int64_t>(i) + 1) * sourceSize * 256) / (2 * targetSize) - 128;
        position = std::clamp<int64_t>(position, 0, static_cast<int64_t>(sourceSize - 1) * 256);
        int first = static_cast<int>(position >> 8);
        int weight = static_cast<int>(position & 255);
        if (first >= sourceSize - 1) {
            first = sourceSize - 1;
            weight = 0;
        }
        steps[static_cast<size_t>(i)] = {first, weight};
    }
}

void VideoFrameScaler::PrepareSteps(int width, int height, const PixelRect& rect)
{
    if (width == preparedWidth && height == preparedHeight && rect.left == preparedRect.left &&
        rect.top == preparedRect.top && rect.right == preparedRect.right && rect.bottom == preparedRect.bottom) {
        return;
    }
    ComputeSteps(columns, width, rect.Width());
    ComputeSteps(rows, height, rect.Height());
    preparedWidth = width;
    preparedHeight = height;
    preparedRect = rect;
}

void VideoFrameScaler::Draw(const uint8_t* rgb, int width, int height, const LockedPixels& target,
                            const PixelRect& rect)
{
    if (width <= 0 || height <= 0 || rect.IsEmpty()) {
        return;
    }
    PrepareSteps(width, height, rect);
    const ChannelPacking red(target.format.redMask);
    const ChannelPacking green(target.format.greenMask);
    const ChannelPacking blue(target.format.blueMask);
    const int bytes = target.format.BytesPerPixel();
    const int stride = width * 3;
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, target.width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, target.height);
    for (int y = top; y < bottom; ++y) {
        const Step& row = rows[static_cast<size_t>(y - rect.top)];
        const uint8_t* upper = rgb + static_cast<size_t>(row.first) * stride;
        const uint8_t* lower = row.weight ? upper + stride : upper;
        uint8_t* out = target.pixels + static_cast<size_t>(y) * target.pitch + static_cast<size_t>(left) * bytes;
        for (int x = left; x < right; ++x, out += bytes) {
            const Step& column = columns[static_cast<size_t>(x - rect.left)];
            const int a = column.first * 3;
            const int b = column.weight ? a + 3 : a;
            int channels[3];
            for (int c = 0; c < 3; ++c) {
                int above = Blend(upper[a + c], upper[b + c], column.weight);
                int below = Blend(lower[a + c], lower[b + c], column.weight);
                channels[c] = Blend(above, below, row.weight);
            }
            WritePixelValue(out, bytes, red.Pack(channels[0]) | green.Pack(channels[1]) | blue.Pack(channels[2]));
        }
    }
}

}  // namespace platform
