#pragma once

#include <vector>

namespace platform {

// One analogue stick read as the arrow keys: past the dead zone its direction, rounded to the
// nearest of eight, holds one arrow key, or two at once for a diagonal.
class GamePadStick {
public:
    // The share of the full deflection the stick may wander without running.
    static constexpr double kDeadZone = 0.4;

    // Axis values as the system gives them: -32768..32767, y growing downwards.
    void SetX(int value) { x = value; }
    void SetY(int value) { y = value; }
    // The virtual-key codes of the arrows the stick holds now.
    std::vector<int> HeldKeys() const;

private:
    int x = 0;
    int y = 0;
};

}  // namespace platform
