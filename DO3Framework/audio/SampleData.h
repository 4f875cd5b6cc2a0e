#pragma once

#include <cstdint>
#include <vector>

// Decoded sound handed from a loader or stream to the sample manager. PCM is 8-bit unsigned
// or 16-bit signed little-endian, frames interleaved; a stream leaves data empty.
struct SampleData {
    int rate = 0;
    int bits = 0;
    int channels = 0;
    int frames = 0;
    std::vector<uint8_t> data;
    int bytes = 0;
};
