#include "app/MouseMapping.h"

#include <algorithm>

namespace mouse_mapping {
namespace {

int Scale(int position, int clientSize, int frameSize)
{
    if (clientSize <= 0) {
        return position;
    }
    int clamped = std::clamp(position, 0, clientSize - 1);
    return clamped * frameSize / clientSize;
}

}  // namespace

Point ToLogicalFrame(int x, int y, int clientWidth, int clientHeight)
{
    return {Scale(x, clientWidth, kFrameWidth), Scale(y, clientHeight, kFrameHeight)};
}

}  // namespace mouse_mapping
