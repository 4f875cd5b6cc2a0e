#include "files/TextLine.h"

#include <cstring>

namespace textline {

int Terminate(char* buffer, int count, int max, bool& newlineFound)
{
    const void* newline = std::memchr(buffer, '\n', static_cast<size_t>(count));
    newlineFound = newline != nullptr;
    if (newlineFound) {
        int length = static_cast<int>(static_cast<const char*>(newline) - buffer);
        buffer[length] = '\0';
        return length + 1;
    }
    int length = count < max ? count : max - 1;
    buffer[length] = '\0';
    return length;
}

}  // namespace textline
