#include "sprites/RleRowReader.h"

#include <algorithm>
#include <cstring>

#include "images/Image.h"

RleRowReader::RleRowReader(const Image& image)
    : data(image.GetData()),
      size(std::min(static_cast<size_t>(std::max(image.GetEncodedSize(), 0)), image.GetDataSize())),
      width(image.GetWidth())
{
}

namespace {

// Packets are short (at most 127 pixels): eight bytes at a time beats the string instructions
// the compiler would pick for memset and memcpy of unknown small sizes.
void FillBytes(uint8_t* to, uint8_t value, int count)
{
    uint64_t pattern = value * 0x0101010101010101ull;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::memcpy(to + i, &pattern, 8);
    }
    for (; i < count; ++i) {
        to[i] = value;
    }
}

void CopyBytes(uint8_t* to, const uint8_t* from, int count)
{
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t block;
        std::memcpy(&block, from + i, 8);
        std::memcpy(to + i, &block, 8);
    }
    for (; i < count; ++i) {
        to[i] = from[i];
    }
}

}  // namespace

template <bool unpack>
bool RleRowReader::Walk(uint8_t* row)
{
    int x = 0;
    while (x < width) {
        if (position >= size) {
            return false;
        }
        int control = static_cast<int8_t>(data[position++]);
        if (control == 0) {
            return false;
        }
        int length = control > 0 ? control : -control;
        int count = std::min(length, width - x);
        if (control > 0) {
            if (position >= size) {
                return false;
            }
            if (unpack) {
                FillBytes(row + x, data[position], count);
            }
            ++position;
        } else {
            if (size - position < static_cast<size_t>(length)) {
                return false;
            }
            if (unpack) {
                CopyBytes(row + x, data + position, count);
            }
            position += static_cast<size_t>(length);
        }
        x += count;
    }
    return true;
}

template bool RleRowReader::Walk<true>(uint8_t*);
template bool RleRowReader::Walk<false>(uint8_t*);
