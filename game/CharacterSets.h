#pragma once

#include <string>

// The character sets the game gives its fonts, as Windows-1252 bytes in glyph order: one byte
// per glyph cell of the font picture. Cells the game does not use repeat "}", which the font
// reports as double defined and skips, so every later cell keeps its place.
class CharacterSets {
public:
    // The 212 cells of "IngameFont_small" and "IngameFont_big".
    static const std::string& Text();
    // The 15 cells of "font_ziffern_gross" and "font_ziffern_klein": digits, colon, double
    // quote, apostrophe, point, minus.
    static const std::string& Digits();
};
