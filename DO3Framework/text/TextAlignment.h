#pragma once

#include <cstdint>

// Alignment codes of the text display and its mark-up tags.
enum TextAlignment : int32_t {
    kAlignLeft = 0,
    kAlignRight = 1,
    kAlignCenter = 2,
    kAlignTop = 3,
    kAlignBottom = 4,
};
