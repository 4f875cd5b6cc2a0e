#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/AviFile.h"
#include "platform/JpegDecoder.h"

namespace {

constexpr size_t kFramesDecoded = 3;

// Chunks are only offsets, so one outside the bytes would not be read here: check them all.
void RequireInside(const std::vector<platform::AviFile::Chunk>& chunks, size_t size)
{
    for (const platform::AviFile::Chunk& chunk : chunks) {
        if (chunk.offset > size || chunk.size > size - chunk.offset) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string why;
    const auto film = platform::AviFile::Parse(data, size, why);
    if (!film) {
        return 0;
    }
    RequireInside(film->VideoFrames(), size);
    RequireInside(film->AudioChunks(), size);
    platform::JpegDecoder::Picture picture;
    const size_t frames = std::min(film->VideoFrames().size(), kFramesDecoded);
    for (size_t i = 0; i < frames; ++i) {
        const platform::AviFile::Chunk& frame = film->VideoFrames()[i];
        platform::JpegDecoder::Decode(data + frame.offset, frame.size, picture);
    }
    return 0;
}
