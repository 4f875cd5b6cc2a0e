#include <cstddef>
#include <cstdint>
#include <string>

#include "images/BmpLoader.h"
#include "support/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzTempFile::Write("picture.bmp", data, size);
    BmpLoader::Instance().Load(path.c_str());
    return 0;
}
