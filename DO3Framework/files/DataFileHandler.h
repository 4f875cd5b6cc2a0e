#pragma once

#include "files/FileHandler.h"

class File;

// A read-only view of one entry of the open archive. Reads never leave the entry; a view
// of an archive that has since been closed or replaced reads nothing.
class DataFileHandler : public FileHandler {
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
    // Drops the newline and every carriage return before it.
    char* ReadLine(char* buffer, int max) override;
    void Print(const char* text) override;
    std::FILE* Handle() override;

private:
    bool ArchiveUnchanged() const;
    int Remaining() const;

    File* archive = nullptr;
    int generation = 0;
    int offset = 0;
    int size = 0;
    int position = 0;
};
