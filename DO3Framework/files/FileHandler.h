#pragma once

#include <cstdio>

// One way of reaching a file's bytes: the disk, an archive entry, or a copy in memory.
// Positions and sizes are byte counts; Seek origins are 0 (start), 1 (current), 2 (end).
class FileHandler {
public:
    virtual ~FileHandler() = default;

    virtual bool Open(const char* name, const char* mode) = 0;
    virtual bool Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    virtual bool Eof() const = 0;
    virtual int Tell() = 0;
    virtual void Seek(int offset, int origin) = 0;
    virtual int Length() = 0;
    // Reads one line of at most max - 1 characters into buffer and terminates it.
    virtual char* ReadLine(char* buffer, int max) = 0;
    virtual void Print(const char* text) = 0;
    // The stdio stream behind the handler, positioned at the current position, for decoders
    // that read a stream themselves; null where there is none.
    virtual std::FILE* Handle() = 0;
};
