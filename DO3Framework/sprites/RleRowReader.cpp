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
                std::memset(row + x, data[position], static_cast<size_t>(count));
            }
            ++position;
        } else {
            if (size - position < static_cast<size_t>(length)) {
                return false;
            }
            if (unpack) {
                std::memcpy(row + x, data + position, static_cast<size_t>(count));
            }
            position += static_cast<size_t>(length);
        }
        x += count;
    }
    return true;
}

template bool RleRowReader::Walk<true>(uint8_t*);
template bool RleRowReader::Walk<false>(uint8_t*);
