#include <cstddef>
#include <cstdint>
#include <string>

#include "files/File.h"
#include "params/AsciiSerializer.h"
#include "support/FuzzOuter.h"
#include "support/FuzzTempFile.h"

namespace {

constexpr const char* kBlock = "params.txt";

}  // namespace

// The input is a parameter file; two blocks are read from it one after the other.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzTempFile::Write(kBlock, data, size);
    File file;
    if (!file.Open(path.c_str(), "r")) {
        return 0;
    }
    FuzzOuter first;
    FuzzOuter second;
    {
        AsciiSerializer reader(file, false);
        reader.SubObject("First", &first);
    }
    AsciiSerializer reader(file, false);
    reader.SubObject("Second", &second);
    return 0;
}
