#pragma once

#include <string_view>
#include <vector>

#include "text/MarkupToken.h"

// Splits mark-up text into words, spaces and tags. "&lt;" and "&gt;" stand for the angle
// brackets; any other ampersand is dropped. A tag left open at the end of the text is dropped.
class MarkupTokenizer {
public:
    static std::vector<MarkupToken> Tokenize(std::string_view text);
};
