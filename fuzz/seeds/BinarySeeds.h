#pragma once

#include <cstdint>
#include <string>

// Small binary files for the seed writer that no engine writer produces.
namespace seeds {

void Put16(std::string& out, uint16_t value);
void Put32(std::string& out, uint32_t value);
// An uncompressed bottom-up BMP with a palette: 8 bits (a ramp) or 1 bit (a stripe).
std::string IndexedBmp(int width, int height, int bits);
// A picture of one colour, three components or grey, baseline or progressive.
std::string Jpeg(int width, int height, int components, bool progressive);

}  // namespace seeds
