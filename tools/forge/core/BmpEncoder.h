#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Canvas.h"

// Writes pictures as the engine reads them: uncompressed BMP, 40-byte info header, palette
// right after it, rows bottom-up and padded to four bytes.
namespace bmp {

// 24 bits: pixels under half coverage become magenta (transparent once loaded); visible pixels
// darker than (8, 8, 8) are lifted to it, since the loader would do the same.
std::string Encode24(const Canvas& canvas);

// 8 bits with a palette of at most 256 entries, for run-length sprites: index 0 is black and
// marks transparency, no other entry is black, and the visible colours are quantised.
std::string Encode8(const Canvas& canvas);

// 8 bits from explicit indices and palette (alpha strips, fonts, tests).
std::string EncodeIndexed(int width, int height, const std::vector<uint8_t>& indices, const std::vector<Rgba>& palette);

}  // namespace bmp
