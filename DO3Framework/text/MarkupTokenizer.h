#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/MarkupToken.h"

// Splits mark-up text into words, spaces and tags. "&lt;" and "&gt;" stand for the angle
// brackets; any other ampersand is dropped. A tag left open at the end of the text is dropped.
class MarkupTokenizer {
public:
    // Writes the tokens into the first elements of tokens, reusing their storage (the vector only
    // grows), and returns how many there are.
    static size_t Tokenize(std::string_view text, std::vector<MarkupToken>& tokens);
    // A tag's name and argument: its first two words.
    static void SplitTag(std::string_view tag, std::string_view& name, std::string_view& argument);
};
