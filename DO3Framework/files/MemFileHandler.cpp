#include "files/MemFileHandler.h"

#include <algorithm>
#include <cstring>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/StdFileHandler.h"
#include "files/TextLine.h"
#include "files/TextScrambler.h"

bool MemFileHandler::Open(const char* name, const char* /*mode*/)
{
    Close();
    if (!name) {
        return false;
    }
    int offset = 0;
    int size = 0;
    bool inArchive = DataFile::Instance().Find(name, offset, size) != nullptr;
    open = inArchive ? LoadFromArchive(name, offset, size) : LoadFromDisk(name);
    if (!open) {
        bytes.clear();
    }
    return open;
}

bool MemFileHandler::LoadFromArchive(const char* name, int offset, int size)
{
    bytes.resize(static_cast<size_t>(size) + 1);
    if (DataFile::Instance().ReadAt(offset, bytes.data(), size) != size) {
        Debug::Instance().Error("MemFileHandler::Open: Failed to read <%s> from the Datafile!\n", name);
        return false;
    }
    TextScrambler::Unscramble(bytes.data(), static_cast<size_t>(size));
    bytes.back() = '\n';
    return true;
}

bool MemFileHandler::LoadFromDisk(const char* name)
{
    StdFileHandler disk;
    if (!disk.Open(name, "rb")) {
        return false;
    }
    int length = disk.Length();
    if (length < 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    if (disk.Read(bytes.data(), length) != length) {
        Debug::Instance().Error("MemFileHandler::Open: Failed to read <%s>!\n", name);
        return false;
    }
    TextScrambler::Unscramble(bytes.data(), bytes.size());
    return true;
}

bool MemFileHandler::Close()
{
    bool wasOpen = open;
    bytes.clear();
    bytes.shrink_to_fit();
    position = 0;
    eof = false;
    open = false;
    return wasOpen;
}

bool MemFileHandler::IsOpen() const
{
    return open;
}

int MemFileHandler::Remaining() const
{
    return std::max(0, static_cast<int>(bytes.size()) - position);
}

int MemFileHandler::Read(void* buffer, int count)
{
    if (!buffer || count <= 0) {
        return 0;
    }
    int copied = std::min(count, Remaining());
    std::memcpy(buffer, bytes.data() + position, static_cast<size_t>(copied));
    position += copied;
    eof = copied < count;
    return copied;
}

int MemFileHandler::Write(const void* /*buffer*/, int /*count*/)
{
    Debug::Instance().Error("MemFileHandler::Write: Impossible to write to Memfile!\n");
    return 0;
}

bool MemFileHandler::Eof() const
{
    return eof;
}

int MemFileHandler::Tell()
{
    return position;
}

void MemFileHandler::Seek(int offset, int origin)
{
    long target = offset;
    if (origin == 1) {
        target += position;
    } else if (origin == 2) {
        target += static_cast<long>(bytes.size());
    }
    position = static_cast<int>(std::clamp(target, 0L, static_cast<long>(bytes.size())));
    eof = false;
}

int MemFileHandler::Length()
{
    return static_cast<int>(bytes.size());
}

char* MemFileHandler::ReadLine(char* buffer, int max)
{
    if (!buffer || max <= 0) {
        return nullptr;
    }
    buffer[0] = '\0';
    if (max == 1) {
        return nullptr;
    }
    int available = std::min(max, Remaining());
    if (available == 0) {
        eof = true;
        return nullptr;
    }
    std::memcpy(buffer, bytes.data() + position, static_cast<size_t>(available));
    bool newlineFound = false;
    int taken = textline::Terminate(buffer, available, max, newlineFound);
    position += taken;
    // A last line without a newline ends the file, as a short read would.
    eof = !newlineFound && Remaining() == 0;
    int length = newlineFound ? taken - 1 : taken;
    if (newlineFound && length > 0 && buffer[length - 1] == '\r') {
        buffer[length - 1] = '\0';
    }
    return buffer;
}

void MemFileHandler::Print(const char* /*text*/)
{
    Debug::Instance().Error("MemFileHandler::Write: Impossible to print to Datafile!\n");
}

std::FILE* MemFileHandler::Handle()
{
    return nullptr;
}
