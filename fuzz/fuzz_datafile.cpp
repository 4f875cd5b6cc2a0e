#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "files/DataFile.h"
#include "files/File.h"
#include "support/FuzzTempFile.h"

namespace {

constexpr const char* kArchive = "datafile.dat";
constexpr size_t kMaxEntriesRead = 8;

// Reads one entry through the file layer the way the program does: text entries line by line
// (unscrambled in memory), the others in blocks with a seek back and forth.
void ReadEntry(const std::string& name)
{
    File file;
    if (!file.Open(name.c_str(), "rb")) {
        return;
    }
    char buffer[64];
    int length = file.Length();
    while (file.ReadLine(buffer, sizeof buffer) != nullptr) {
    }
    file.Seek(length / 2, 0);
    file.Tell();
    while (file.Read(buffer, sizeof buffer) > 0) {
    }
    file.Seek(-1, 2);
    file.Read(buffer, sizeof buffer);
    file.Eof();
}

}  // namespace

// The input is the whole archive; every entry the directory names is then read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzTempFile::Write(kArchive, data, size);
    DataFile& archive = DataFile::Instance();
    archive.Open(path.c_str());
    if (archive.IsAvailable()) {
        size_t entries = std::min(static_cast<size_t>(archive.EntryCount()), kMaxEntriesRead);
        for (size_t i = 0; i < entries; ++i) {
            const char* raw = reinterpret_cast<const char*>(data) + 4 + i * DataFile::kEntrySize;
            ReadEntry(std::string(raw, strnlen(raw, DataFile::kNameSize)));
        }
    }
    archive.Close();
    return 0;
}
