#pragma once

#include <cstdint>

// Where one character lies in a font picture: an inclusive rectangle, and how far below the
// drawing position its top row is drawn.
struct Glyph {
    int32_t yOffset = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool defined = false;
};
