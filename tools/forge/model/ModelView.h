#pragma once

// How a model is seen: turned about its vertical axis, then shown by the board's orthographic
// camera. The model's origin (the point between the feet) lands on (originX, originY) of the
// frame cell; one model unit is pixelsPerUnit pixels.
struct ModelView {
    float yawRadians = 0.0f;
    float pixelsPerUnit = 1.0f;
    float originX = 0.0f;
    float originY = 0.0f;
};
