#pragma once

#include <cstdio>

#include "files/FileHandler.h"

// A disk file through a buffered stream. Names are the program's Windows-style paths,
// resolved on the disk without regard to letter case; the files the program writes itself are
// looked for where UserFileLocations keeps them. A file opened for reading in text mode
// (no 'b' in the mode) reads CR LF as LF, as the program's home platform does.
class StdFileHandler : public FileHandler {
public:
    ~StdFileHandler() override;

    bool Open(const char* name, const char* mode) override;
    bool Close() override;
    bool IsOpen() const override;
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    bool Eof() const override;
    int Tell() override;
    void Seek(int offset, int origin) override;
    int Length() override;
    // Keeps the newline at the end of the line.
    char* ReadLine(char* buffer, int max) override;
    void Print(const char* text) override;
    std::FILE* Handle() override;

private:
    int ReadText(char* buffer, int count);
    bool NextIsNewline();

    std::FILE* stream = nullptr;
    bool textMode = false;
};
