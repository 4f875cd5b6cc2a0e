#include <cstddef>
#include <cstdint>

#include "images/JpegLoader.h"
#include "support/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTempFile::Write("picture.jpg", data, size);
    JpegLoader::Instance().Load("picture.jpg");
    return 0;
}
