#pragma once

#include <vector>

namespace platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int depth = 0;

    bool operator==(const DisplayMode&) const = default;
};

// The full-screen modes the platform offers. They never switch the monitor: a full-screen
// frame is drawn into a desktop-sized window and scaled there, so every mode is always there.
std::vector<DisplayMode> EnumerateDisplayModes();

// Bits per pixel of the desktop (16 or 32; 32 when the video system cannot tell).
int DesktopDepth();
// Tests pretend another desktop depth; 0 returns to the real one.
void OverrideDesktopDepth(int depth);

}  // namespace platform
