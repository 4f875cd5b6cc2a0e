#include "game/level/BoardProjection.h"

#include <cmath>

#include "game/board/BoardLayout.h"

namespace {

struct Projection {
    float horizon = static_cast<float>(board::kHorizon);
    float verticalScale = static_cast<float>(board::kVerticalScale);
    float columnOffset = static_cast<float>(board::kColumnOffset);
    float screenX0 = static_cast<float>(board::kOriginX);
    float screenY0 = static_cast<float>(board::kOriginY);
    float scale = static_cast<float>(board::kScale);
};

Projection projection;

}  // namespace

void SetProjection(float horizon, float verticalScale, float columnOffset, float screenX0, float screenY0, float scale)
{
    projection = {horizon, verticalScale, columnOffset, screenX0, screenY0, scale};
}

void SetBoardProjection() { projection = Projection{}; }

ScreenPoint Project(float column, float row, int extraY)
{
    const Projection& p = projection;
    const float d = row / p.horizon + 1.0f;
    const float x = p.screenX0 + p.scale * (column + p.columnOffset) / d;
    const float y = p.screenY0 + static_cast<float>(extraY) + p.scale * p.verticalScale * row / d;
    return {static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y))};
}
