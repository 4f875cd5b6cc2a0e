#include "files/DataFileHandler.h"

#include <algorithm>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/TextLine.h"

bool DataFileHandler::Open(const char* name, const char* /*mode*/)
{
    Close();
    if (!name) {
        return false;
    }
    DataFile& dataFile = DataFile::Instance();
    archive = dataFile.Find(name, offset, size);
    generation = dataFile.Generation();
    position = 0;
    return archive != nullptr;
}

bool DataFileHandler::Close()
{
    bool wasOpen = archive != nullptr;
    archive = nullptr;
    offset = 0;
    size = 0;
    position = 0;
    return wasOpen;
}

bool DataFileHandler::IsOpen() const
{
    return archive != nullptr;
}

bool DataFileHandler::ArchiveUnchanged() const
{
    return archive && DataFile::Instance().Generation() == generation;
}

int DataFileHandler::Remaining() const
{
    return std::max(0, size - position);
}

int DataFileHandler::Read(void* buffer, int count)
{
    if (!buffer || count <= 0 || !ArchiveUnchanged()) {
        return 0;
    }
    int wanted = std::min(count, Remaining());
    int got = DataFile::Instance().ReadAt(offset + position, buffer, wanted);
    position += std::max(0, got);
    return std::max(0, got);
}

int DataFileHandler::Write(const void* /*buffer*/, int /*count*/)
{
    Debug::Instance().Error("DataFileHandler::Write: Impossible to write to Datafile!\n");
    return 0;
}

bool DataFileHandler::Eof() const
{
    return position >= size;
}

int DataFileHandler::Tell()
{
    return position;
}

void DataFileHandler::Seek(int seekOffset, int origin)
{
    long target = seekOffset;
    switch (origin) {
    case 0:
        break;
    case 1:
        target += position;
        break;
    case 2:
        target += size;
        break;
    default:
        Debug::Instance().Error("DataFileHandler::Seek: unknown mode(%d)\n", origin);
        return;
    }
    position = static_cast<int>(std::clamp(target, 0L, static_cast<long>(size)));
}

int DataFileHandler::Length()
{
    return size;
}

char* DataFileHandler::ReadLine(char* buffer, int max)
{
    if (!buffer || max <= 0) {
        return nullptr;
    }
    buffer[0] = '\0';
    int wanted = std::min(max, Remaining());
    if (max == 1 || wanted == 0 || !ArchiveUnchanged()) {
        return nullptr;
    }
    int got = DataFile::Instance().ReadAt(offset + position, buffer, wanted);
    if (got <= 0) {
        return nullptr;
    }
    bool newlineFound = false;
    int taken = textline::Terminate(buffer, got, max, newlineFound);
    position += taken;
    int length = newlineFound ? taken - 1 : taken;
    while (length > 1 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n')) {
        buffer[--length] = '\0';
    }
    return buffer;
}

void DataFileHandler::Print(const char* /*text*/)
{
    Debug::Instance().Error("DataFileHandler::Write: Impossible to print to Datafile!\n");
}

std::FILE* DataFileHandler::Handle()
{
    if (!ArchiveUnchanged()) {
        return nullptr;
    }
    return DataFile::Instance().StreamAt(offset + position);
}
