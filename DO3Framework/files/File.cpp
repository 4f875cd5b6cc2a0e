#include "files/File.h"

#include <cstdarg>
#include <cstring>
#include <sys/stat.h>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/DataFileHandler.h"
#include "files/MemFileHandler.h"
#include "files/StdFileHandler.h"
#include "files/TextScrambler.h"
#include "files/UserFileLocations.h"

namespace {

constexpr int kMaxPrintText = 16383;
// Seconds from 1601-01-01 (file times) to 1970-01-01 (the disk's clock).
constexpr uint64_t kFileTimeEpochOffsetSeconds = 11644473600ull;
constexpr uint64_t kFileTimeTicksPerSecond = 10000000ull;

// Any mode that could change the file; the archive is read-only.
bool IsWriteMode(const char* mode)
{
    return std::strpbrk(mode, "wa+") != nullptr;
}

}  // namespace

File::~File() = default;

bool File::Open(const char* name, const char* mode)
{
    Close();
    if (!name || !mode) {
        return false;
    }
    if (!DataFile::Instance().IsAvailable()) {
        return OpenWith(std::make_unique<StdFileHandler>(), name, mode);
    }
    if (IsWriteMode(mode)) {
        Debug::Instance().Error("File::Open: Can't write to Datafile!\n");
        return false;
    }
    if (TextScrambler::AppliesTo(name)) {
        // A text the user saved (the settings) wins over the packed one.
        if (UserFileLocations::Instance().HasUserCopy(name)) {
            return OpenWith(std::make_unique<StdFileHandler>(), name, mode);
        }
        return OpenWith(std::make_unique<MemFileHandler>(), name, mode);
    }
    return OpenWith(std::make_unique<DataFileHandler>(), name, mode);
}

bool File::OpenDisk(const char* name, const char* mode)
{
    Close();
    return name && mode && OpenWith(std::make_unique<StdFileHandler>(), name, mode);
}

bool File::OpenMem(const char* name, const char* mode)
{
    Close();
    return name && mode && OpenWith(std::make_unique<MemFileHandler>(), name, mode);
}

bool File::OpenWith(std::unique_ptr<FileHandler> candidate, const char* name, const char* mode)
{
    if (!candidate->Open(name, mode)) {
        return false;
    }
    handler = std::move(candidate);
    return true;
}

void File::Close()
{
    handler.reset();
}

bool File::IsOpen() const
{
    return handler != nullptr;
}

int File::Read(void* buffer, int count)
{
    return handler ? handler->Read(buffer, count) : 0;
}

int File::Write(const void* buffer, int count)
{
    return handler ? handler->Write(buffer, count) : 0;
}

bool File::Eof() const
{
    return !handler || handler->Eof();
}

int File::Tell()
{
    return handler ? handler->Tell() : -1;
}

void File::Seek(int offset, int origin)
{
    if (handler) {
        handler->Seek(offset, origin);
    }
}

int File::Length()
{
    return handler ? handler->Length() : -1;
}

char* File::ReadLine(char* buffer, int max)
{
    if (!handler) {
        if (buffer && max > 0) {
            buffer[0] = '\0';
        }
        return nullptr;
    }
    return handler->ReadLine(buffer, max);
}

void File::Print(const char* format, ...)
{
    if (!handler) {
        return;
    }
    char text[kMaxPrintText + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    handler->Print(text);
}

std::FILE* File::Handle()
{
    return handler ? handler->Handle() : nullptr;
}

uint64_t File::GetFileTime(const char* name)
{
    StdFileHandler disk;
    if (!name || !disk.Open(name, "rb")) {
        Debug::Instance().Warning("File::GetFileTime: Failed to open file <%s>!\n", name ? name : "");
        return 0;
    }
    struct stat status {};
    if (fstat(fileno(disk.Handle()), &status) != 0 || status.st_mtim.tv_sec < 0) {
        Debug::Instance().Warning("File::GetFileTime: GetFileTime() failed!\n");
        return 0;
    }
    uint64_t seconds = static_cast<uint64_t>(status.st_mtim.tv_sec) + kFileTimeEpochOffsetSeconds;
    return seconds * kFileTimeTicksPerSecond + static_cast<uint64_t>(status.st_mtim.tv_nsec) / 100u;
}
