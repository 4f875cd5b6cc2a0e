#include "platform/GamePadStick.h"

#include <array>
#include <cmath>
#include <numbers>

#include "platform/VirtualKeys.h"

namespace platform {
namespace {

constexpr double kFullDeflection = 32767.0;
constexpr int kDirections = 8;

// Clockwise from right, as the screen's y grows downwards.
const std::array<std::vector<int>, kDirections> kKeysOfDirection = {{
    {vk::kRight},
    {vk::kRight, vk::kDown},
    {vk::kDown},
    {vk::kLeft, vk::kDown},
    {vk::kLeft},
    {vk::kLeft, vk::kUp},
    {vk::kUp},
    {vk::kRight, vk::kUp},
}};

}  // namespace

std::vector<int> GamePadStick::HeldKeys() const
{
    const double dx = x / kFullDeflection;
    const double dy = y / kFullDeflection;
    if (std::hypot(dx, dy) < kDeadZone) {
        return {};
    }
    const double step = 2.0 * std::numbers::pi / kDirections;
    const long nearest = std::lround(std::atan2(dy, dx) / step);
    return kKeysOfDirection[static_cast<size_t>((nearest % kDirections + kDirections) % kDirections)];
}

}  // namespace platform
