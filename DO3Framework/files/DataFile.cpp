#include "files/DataFile.h"

#include <climits>
#include <cstring>

#include "app/Debug.h"

namespace {

constexpr int kCountSize = 4;
constexpr int kOffsetField = 64;
constexpr int kSizeField = 68;

uint32_t ReadLittleEndian32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

int ToInt(uint32_t value)
{
    return value > static_cast<uint32_t>(INT_MAX) ? -1 : static_cast<int>(value);
}

}  // namespace

bool DataFile::Open(const char* name)
{
    Close();
    auto file = std::make_unique<File>();
    if (!name || !file->OpenDisk(name, "rb")) {
        Debug::Instance().Log("Datafile is not available.\n");
        return true;
    }
    archive = std::move(file);
    if (!ReadDirectory(name)) {
        Close();
        return false;
    }
    available = true;
    ++generation;
    return true;
}

void DataFile::Close()
{
    std::lock_guard<std::mutex> guard(archiveLock);
    if (available || archive) {
        ++generation;
    }
    available = false;
    archive.reset();
    directory.clear();
    index.clear();
}

bool DataFile::ReadDirectory(const char* name)
{
    int archiveLength = archive->Length();
    unsigned char countBytes[kCountSize];
    if (archiveLength < kCountSize || archive->Read(countBytes, kCountSize) != kCountSize) {
        Debug::Instance().Error("DataFile::Open: Archive too short <%s>!\n", name);
        return false;
    }
    uint32_t count = ReadLittleEndian32(countBytes);
    // An archive without entries would hide every file of data/ behind it.
    if (count == 0) {
        Debug::Instance().Error("DataFile::Open: <%s> holds no files, ignored!\n", name);
        return false;
    }
    if (count > static_cast<uint32_t>((archiveLength - kCountSize) / kEntrySize)) {
        Debug::Instance().Error("DataFile::Open: Directory of %u entries runs past the end of <%s>!\n", count, name);
        return false;
    }
    return ReadEntries(name, static_cast<int>(count), archiveLength);
}

bool DataFile::ReadEntries(const char* name, int count, int archiveLength)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(count) * kEntrySize);
    if (count > 0 && archive->Read(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size())) {
        Debug::Instance().Error("DataFile::Open: Failed to read the directory of <%s>!\n", name);
        return false;
    }
    directory.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Entry entry = ParseEntry(bytes.data() + static_cast<size_t>(i) * kEntrySize);
        if (entry.offset < 0 || entry.size < 0 || entry.size > archiveLength - entry.offset) {
            Debug::Instance().Error("DataFile::Open: Entry <%s> runs past the end of <%s>!\n", entry.name.c_str(), name);
            return false;
        }
        index.emplace(entry.name, directory.size());
        directory.push_back(std::move(entry));
    }
    return true;
}

// Offsets and sizes beyond what an int holds come out negative and are refused by the caller.
DataFile::Entry DataFile::ParseEntry(const unsigned char* raw)
{
    // A name filling all 64 bytes has no terminating zero: it ends with the field.
    const void* terminator = std::memchr(raw, 0, kNameSize);
    size_t nameLength = terminator ? static_cast<size_t>(static_cast<const unsigned char*>(terminator) - raw)
                                   : static_cast<size_t>(kNameSize);
    Entry entry;
    entry.name.assign(reinterpret_cast<const char*>(raw), nameLength);
    entry.offset = ToInt(ReadLittleEndian32(raw + kOffsetField));
    entry.size = ToInt(ReadLittleEndian32(raw + kSizeField));
    return entry;
}

File* DataFile::Find(const char* name, int& offset, int& size)
{
    if (!available || !name) {
        return nullptr;
    }
    auto found = index.find(NormaliseName(name));
    if (found == index.end()) {
        return nullptr;
    }
    const Entry& entry = directory[found->second];
    offset = entry.offset;
    size = entry.size;
    return archive.get();
}

int DataFile::ReadAt(int offset, void* buffer, int count)
{
    std::lock_guard<std::mutex> guard(archiveLock);
    if (!archive || count <= 0) {
        return 0;
    }
    archive->Seek(offset, 0);
    return archive->Read(buffer, count);
}

std::FILE* DataFile::StreamAt(int offset)
{
    std::lock_guard<std::mutex> guard(archiveLock);
    if (!archive) {
        return nullptr;
    }
    archive->Seek(offset, 0);
    return archive->Handle();
}

std::string DataFile::NormaliseName(const char* name)
{
    std::string normal(name);
    for (char& c : normal) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (c == '/') {
            c = '\\';
        }
    }
    return normal;
}
