#include <cstddef>
#include <cstdint>

#include "audio/SampleData.h"
#include "audio/WavLoader.h"
#include "support/FuzzScratchScope.h"
#include "support/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTempFile::Write("data/fuzz.wav", data, size);
    FuzzScratchScope scratch;
    WavLoader loader;
    SampleData sample;
    loader.Load("fuzz", sample);
    return 0;
}
