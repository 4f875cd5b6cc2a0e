#pragma once

// Mouse positions reach the game in the 1024 x 768 logical frame, whatever the window's size.
namespace mouse_mapping {

constexpr int kFrameWidth = 1024;
constexpr int kFrameHeight = 768;

struct Point {
    int x = 0;
    int y = 0;
};

// x' = x * 1024 / clientWidth, y' = y * 768 / clientHeight (integer division). Positions
// outside the client area (a drag that left the window) are clamped to its edge, and an empty
// client area (a minimised window) leaves the position as it is rather than dividing by zero.
Point ToLogicalFrame(int x, int y, int clientWidth, int clientHeight);

}  // namespace mouse_mapping
