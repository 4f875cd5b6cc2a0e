#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "images/Image.h"
#include "text/Font.h"

namespace {

constexpr size_t kHeader = 3;

}  // namespace

// Bytes 0-1: picture width (1..256) and height (1..32); byte 2: length of the character set
// that follows; the rest are the 8-bit pixels, row by row (missing ones stay black). The
// glyphs found are then measured by the width queries.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeader) {
        return 0;
    }
    int width = data[0] + 1;
    int height = data[1] % 32 + 1;
    size_t setLength = std::min<size_t>(data[2], size - kHeader);
    const std::string characterSet(reinterpret_cast<const char*>(data) + kHeader, setLength);
    Image picture;
    if (!picture.Create(width, height, 8, true)) {
        return 0;
    }
    const uint8_t* pixels = data + kHeader + setLength;
    size_t pixelCount = std::min(picture.GetDataSize(), size - kHeader - setLength);
    std::copy(pixels, pixels + pixelCount, picture.GetData());
    Font font;
    font.ScanGlyphs(picture, characterSet, "fuzz");
    font.GetTextWidth(characterSet);
    return 0;
}
