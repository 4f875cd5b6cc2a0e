#pragma once

#include <string>
#include <string_view>

// The character sets the game gives its fonts, as Windows-1252 bytes in glyph order. A font
// picture needs exactly one glyph per byte, repeated bytes included (their cells are skipped
// by the game but must still hold a glyph so that the later ones keep their places).
namespace font_sets {

// "21-29 2B 7D x12": hexadecimal codes, runs joined by a hyphen, "xN" repeats the code before
// it N times in all. An unreadable token yields an empty string.
std::string Decode(std::string_view notation);

// The 212 cells of "IngameFont_small" and "IngameFont_big".
const std::string& Text();
// The 15 cells of "font_ziffern_gross" and "font_ziffern_klein".
const std::string& Digits();

// True when code already stands earlier in the set, so the game skips its cell.
bool IsRepeat(const std::string& set, size_t cell);

}  // namespace font_sets
