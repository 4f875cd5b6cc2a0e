#pragma once

#include <cstdint>
#include <string>

class Font;

// One piece of laid-out mark-up text. Positions are absolute frame pixels once laid out.
struct MarkupToken {
    enum Kind : int32_t {
        kWord = 0,
        kSpace = 1,
        kTag = 2,
        // A space at a line start: kept in the list, but takes no room.
        kDroppedSpace = 3,
    };

    std::string text;
    int32_t kind = kWord;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    const Font* font = nullptr;
    int32_t line = 0;
};
