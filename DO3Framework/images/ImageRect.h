#pragma once

// A rectangle of image or frame pixels, inclusive on every edge (right = left + width - 1).
struct ImageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool operator==(const ImageRect&) const = default;
};
