#include <cstddef>
#include <cstdint>
#include <string>

#include "images/JpegLoader.h"
#include "support/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzTempFile::Write("picture.jpg", data, size);
    JpegLoader::Instance().Load(path.c_str());
    return 0;
}
