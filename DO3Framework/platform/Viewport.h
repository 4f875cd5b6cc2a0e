#pragma once

namespace platform {

// Where the frame is drawn inside the window, in window coordinates (the coordinates of mouse
// events): the largest rectangle of the frame's aspect ratio, centred, bars around it.
struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Viewport FitViewport(int windowWidth, int windowHeight, int frameWidth, int frameHeight);

// The viewport of the last presented frame; 0 x 0 before the first one.
Viewport CurrentViewport();
void SetCurrentViewport(const Viewport& viewport);

// Turns a position in window coordinates into a position relative to the current viewport,
// whose size then plays the part of the window's client size. Positions on the bars fall
// outside 0..size-1; they are clamped to the viewport so the pointer never leaves the frame.
// Before any frame was presented positions pass unchanged.
void MapWindowToViewport(int windowX, int windowY, int& viewportX, int& viewportY);

}  // namespace platform
