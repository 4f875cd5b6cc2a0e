#include <cstddef>
#include <cstdint>
#include <string>

#include "files/File.h"
#include "support/FuzzTempFile.h"

namespace {

constexpr const char* kText = "text.txt";

void ReadAllLines(File& file, int max)
{
    char buffer[300];
    while (file.ReadLine(buffer, max) != nullptr) {
    }
}

}  // namespace

// The first byte chooses the line buffer's size (0 and 1 included); the rest is a scrambled
// text file read from memory, then the same bytes as a plain file from the disk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    int max = data[0];
    const std::string path = FuzzTempFile::Write(kText, data + 1, size - 1);
    File memory;
    if (memory.OpenMem(path.c_str(), "r")) {
        ReadAllLines(memory, max);
        memory.Seek(0, 0);
        ReadAllLines(memory, 300);
    }
    File disk;
    if (disk.OpenDisk(path.c_str(), "r")) {
        ReadAllLines(disk, max);
    }
    return 0;
}
