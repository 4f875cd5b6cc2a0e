#include <cstddef>
#include <cstdint>
#include <string>

#include "sprites/SpriteInfo.h"
#include "sprites/SpriteLoaderUtil.h"

// The input is a sprite list: every line is parsed as the list reader does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        SpriteInfo info;
        SpriteLoaderUtil::ParseLine(text.substr(start, end - start), "data\\sprites\\", info);
        start = end + 1;
    }
    return 0;
}
