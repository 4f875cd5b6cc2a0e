#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Decodes a baseline or progressive JPEG held in memory into rows of red, green and blue
// bytes, width * 3 per row, no padding. Fatal decoder errors come back as results; nothing
// ends the process. Pictures wider or higher than kMaxSide are refused.
class JpegDecoder {
public:
    enum class Result { Ok, BadHeader, TooLarge, Failed, CutShort };
    static constexpr int kMaxSide = 16384;

    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<uint8_t> rgb;
    };

    // On Failed the rows decoded so far are kept; on every other failure picture is empty.
    static Result Decode(const uint8_t* data, size_t size, Picture& picture);
};

}  // namespace platform
