#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/OggDecoder.h"
#include "audio/OggLoader.h"
#include "audio/SampleData.h"
#include "support/FuzzScratchScope.h"
#include "support/FuzzTempFile.h"

namespace {

// Decodes from memory in small pieces, as the stream does, then once more after a reopen.
void DecodeInPieces(const uint8_t* data, size_t size)
{
    OggDecoder decoder;
    if (!decoder.Open(std::vector<uint8_t>(data, data + size))) {
        return;
    }
    uint8_t buffer[4096];
    for (int pass = 0; pass < 2; ++pass) {
        while (decoder.Read(buffer, sizeof buffer) > 0) {
        }
        if (!decoder.Reopen()) {
            return;
        }
    }
}

}  // namespace

// The input is an Ogg file, decoded in pieces from memory and whole through the loader.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeInPieces(data, size);
    FuzzTempFile::Write("data/fuzz.ogg", data, size);
    FuzzScratchScope scratch;
    OggLoader loader;
    SampleData sample;
    loader.Load("fuzz", sample);
    return 0;
}
