#pragma once

#include <vector>

#include "files/FileHandler.h"

// A whole file held in memory, unscrambled: a text file of the archive (with a newline
// appended, so its last line always ends) or a scrambled file from the disk. Read-only.
class MemFileHandler : public FileHandler {
public:
    bool Open(const char* name, const char* mode) override;
    bool Close() override;
    bool IsOpen() const override;
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    bool Eof() const override;
    int Tell() override;
    void Seek(int offset, int origin) override;
    int Length() override;
    // Drops the newline and one carriage return before it.
    char* ReadLine(char* buffer, int max) override;
    void Print(const char* text) override;
    std::FILE* Handle() override;

private:
    bool LoadFromArchive(const char* name, int offset, int size);
    bool LoadFromDisk(const char* name);
    int Remaining() const;

    std::vector<char> bytes;
    int position = 0;
    bool eof = false;
    bool open = false;
};
