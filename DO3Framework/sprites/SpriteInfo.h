#pragma once

#include <cstdint>
#include <string>

// What a sprite list says about one label; the sprite itself is built from it on first use.
struct SpriteInfo {
    enum Type : int32_t {
        kStatic = 0,
        kShadow = 1,
        kAnim = 2,
        kAnimRle = 3,
    };

    std::string label = "default";
    // Picture path without extension.
    std::string file;
    // Cut pictures to their bounding rectangle (list entries); font pictures keep their size.
    bool crop = false;
    int32_t type = kStatic;
    int32_t frameCount = 1;
    // Flip the pictures left to right before use.
    bool mirror = false;
    bool loaded = false;
};
