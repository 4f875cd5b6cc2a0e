#include <cstddef>
#include <cstdint>
#include <string>

#include "sprites/SpriteLoaderUtil.h"
#include "support/FuzzTempFile.h"

// The input is read both as a frame table and as an audio-event map beside a sprite.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTempFile::Write("anim.txt", data, size);
    FuzzTempFile::Write("anim_ae.txt", data, size);
    const std::string base = FuzzTempFile::Directory() + "/anim";
    SpriteLoaderUtil::LoadFrameTable(base);
    SpriteLoaderUtil::LoadAudioEvents(base);
    return 0;
}
