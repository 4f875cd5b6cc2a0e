#pragma once

#include <cstdint>

// The rectangle mark-up is laid out in: top-left corner and size in frame pixels.
struct TextRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
