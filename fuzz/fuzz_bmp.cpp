#include <cstddef>
#include <cstdint>

#include "images/BmpLoader.h"
#include "support/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTempFile::Write("picture.bmp", data, size);
    BmpLoader::Instance().Load("picture.bmp");
    return 0;
}
