#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/Image.h"

class AnimatedRLESprite;

// The pre-encoded form of an animated run-length sprite (".rle"), little-endian:
//   header (2080 bytes): version 103, modification time of the source picture (64 bits),
//   frame palette and alpha palette (256 x blue, green, red, 0 each), cell width, cell height,
//   bits per pixel (8), encoded flag, has-alpha flag, two zero bytes, frame count;
//   per frame a 32-byte record (width, height, left, top, right, bottom, data size, alpha data
//   size) followed by the frame's stream and, with alpha, the alpha frame's stream.
// Reading checks every size against the file's length: a damaged file is refused, never
// trusted.
class RleFile {
public:
    static constexpr uint32_t kVersion = 103;
    static constexpr size_t kHeaderSize = 2080;
    static constexpr size_t kFrameRecordSize = 32;

    struct Header {
        uint32_t version = 0;
        uint64_t sourceTime = 0;
        Color palette[256] = {};
        Color alphaPalette[256] = {};
        int32_t fullWidth = 0;
        int32_t fullHeight = 0;
        int32_t bitsPerPixel = 0;
        bool encoded = false;
        bool hasAlpha = false;
        int32_t frameCount = 0;
    };

    // The file's bytes as they would be written for the sprite.
    static std::vector<uint8_t> Encode(const AnimatedRLESprite& sprite, uint64_t sourceTime);
    // False, with the reason in problem, when the header is too short or malformed.
    static bool ParseHeader(const std::vector<uint8_t>& bytes, Header& header, std::string& problem);
    // Fills an empty sprite with the frames after the header. Nothing is added unless every
    // frame checks out and the frames end exactly at the end of the bytes.
    static bool ParseFrames(const std::vector<uint8_t>& bytes, const Header& header, AnimatedRLESprite& sprite,
                            std::string& problem);
};
