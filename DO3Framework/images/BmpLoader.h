#pragma once

#include <memory>

#include "images/Image.h"
#include "util/Singleton.h"

// Reads uncompressed 1-, 8- and 24-bit BMP files. A file that cannot be read or whose header
// disagrees with its contents (sizes, palette, length) is refused: null and one log line.
class BmpLoader : public Singleton<BmpLoader> {
public:
    std::unique_ptr<Image> Load(const char* fileName);
};
