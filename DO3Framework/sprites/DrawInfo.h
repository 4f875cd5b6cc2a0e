#pragma once

#include <cstdint>

// Flags of a queued draw (DrawInfo::flags).
inline constexpr uint32_t DI_SRC_POS = 1;         // srcX, srcY give the source's top-left; else (0, 0)
inline constexpr uint32_t DI_SRC_SIZE = 2;        // srcWidth, srcHeight give the source size; else the sprite's
inline constexpr uint32_t DI_DEST_POS = 4;        // destX, destY give the position (every queued draw)
inline constexpr uint32_t DI_DEST_SIZE = 8;       // destWidth, destHeight give a destination size: scaled
inline constexpr uint32_t DI_NO_COLORKEY = 16;    // opaque copy, black is drawn too
inline constexpr uint32_t DI_CENTER = 32;         // the position is the picture cell's centre
inline constexpr uint32_t DI_BOTTOM_CENTER = 64;  // the position is the picture cell's bottom centre
inline constexpr uint32_t DI_SCALE = 128;         // scale holds a factor other than 1.0

// One queued draw of a sprite: thirteen 32-bit words, copied into the render engine's queue.
struct DrawInfo {
    uint32_t flags = 0;
    int32_t frame = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t srcWidth = 0;
    int32_t srcHeight = 0;
    int32_t destX = 0;
    int32_t destY = 0;
    int32_t destWidth = 0;
    int32_t destHeight = 0;
    float scale = 1.0f;
    int32_t reserved[2] = {0, 0};

    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
};

static_assert(sizeof(DrawInfo) == 13 * 4, "a draw description is thirteen words");
