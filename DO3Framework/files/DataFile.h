#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "files/File.h"
#include "util/Singleton.h"

// The packed data archive ("datafile.dat"): a count, a directory of 80-byte entries (name,
// offset, size) and the packed bytes. Opened once at start; while it is available every file
// is read from it (see File::Open). The directory is checked against the file's length, so
// a damaged archive is refused and the program reads from the disk instead.
class DataFile : public Singleton<DataFile> {
public:
    // Without an archive: logs "Datafile is not available." and returns true; a damaged one
    // is refused with an error line and false. Either way the disk serves afterwards.
    bool Open(const char* name);
    void Close();
    bool IsAvailable() const { return available; }

    // The archive and the entry's offset and size; null if the name is not in the directory.
    // Letter case does not matter and '/' may stand for '\'.
    File* Find(const char* name, int& offset, int& size);

    // Reads from the shared archive under a lock (streams are refilled on another thread).
    int ReadAt(int offset, void* buffer, int count);
    // The archive's stream positioned at offset; null without an archive.
    std::FILE* StreamAt(int offset);
    // Changes whenever an archive is opened or closed, so views of an older one notice.
    int Generation() const { return generation; }
    int EntryCount() const { return static_cast<int>(directory.size()); }

    static constexpr int kEntrySize = 80;
    static constexpr int kNameSize = 64;

private:
    struct Entry {
        std::string name;
        int offset = 0;
        int size = 0;
    };

    bool ReadDirectory(const char* name);
    bool ReadEntries(const char* name, int count, int archiveLength);
    static Entry ParseEntry(const unsigned char* raw);
    static std::string NormaliseName(const char* name);

    bool available = false;
    std::unique_ptr<File> archive;
    std::vector<Entry> directory;
    // Name to its first entry in file order (the first of equal names wins).
    std::unordered_map<std::string, size_t> index;
    std::atomic<int> generation{0};
    std::mutex archiveLock;
};
