#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "files/FileHandler.h"

// Every reader and writer of the program opens files through this class. Open picks the
// handler: the disk without an archive; with one, the archive (text files unscrambled into memory),
// except for a text the user saved in the user's own directory (UserFileLocations).
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open(const char* name, const char* mode);
    // Always the disk (the archive itself, the log, files the program writes).
    bool OpenDisk(const char* name, const char* mode);
    // Always a memory copy (unscrambled) of a text file, from the archive if it holds one.
    // Files the program writes are read with OpenDisk instead: the archive would hide them.
    bool OpenMem(const char* name, const char* mode);
    void Close();
    bool IsOpen() const;

    int Read(void* buffer, int count);
    int Write(const void* buffer, int count);
    bool Eof() const;
    int Tell();
    void Seek(int offset, int origin);
    int Length();
    char* ReadLine(char* buffer, int max);
    // Formats into at most 16383 characters and writes the text unchanged.
    void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    std::FILE* Handle();

    // Last-write time of the disk file as a 64-bit file time (100 ns since 1601), 0 on failure.
    static uint64_t GetFileTime(const char* name);

private:
    bool OpenWith(std::unique_ptr<FileHandler> handler, const char* name, const char* mode);

    std::unique_ptr<FileHandler> handler;
};
