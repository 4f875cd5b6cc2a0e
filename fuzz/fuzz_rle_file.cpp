#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "images/ImageUtil.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/RleFile.h"

namespace {

// Every frame the file delivered is decoded, as drawing it would.
void DecodeFrames(const AnimatedRLESprite& sprite)
{
    std::vector<uint32_t> output;
    for (int i = 0; i < sprite.GetFrameCount(); ++i) {
        const Image* frame = sprite.GetFrameImage(i);
        if (!frame) {
            continue;
        }
        output.assign(static_cast<size_t>(frame->GetWidth()) * frame->GetHeight(), 0);
        ImageUtil::Instance().RunLengthDecode(frame, sprite.GetAlphaFrameImage(i), output.data(), output.size());
    }
}

}  // namespace

// The input is a whole ".rle" file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    RleFile::Header header;
    std::string problem;
    if (!RleFile::ParseHeader(bytes, header, problem)) {
        return 0;
    }
    AnimatedRLESprite sprite;
    if (RleFile::ParseFrames(bytes, header, sprite, problem)) {
        DecodeFrames(sprite);
    }
    return 0;
}
