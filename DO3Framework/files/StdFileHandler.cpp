#include "files/StdFileHandler.h"

#include <climits>
#include <cstring>
#include <string>

#include "files/UserFileLocations.h"
#include "platform/PathResolver.h"

namespace {

int ToSeekOrigin(int origin)
{
    switch (origin) {
    case 1:
        return SEEK_CUR;
    case 2:
        return SEEK_END;
    default:
        return SEEK_SET;
    }
}

}  // namespace

StdFileHandler::~StdFileHandler()
{
    Close();
}

bool StdFileHandler::Open(const char* name, const char* mode)
{
    Close();
    if (!name || !mode) {
        return false;
    }
    const std::string diskName = UserFileLocations::Instance().OpenName(name, mode);
    stream = std::fopen(platform::ResolvePath(diskName).c_str(), mode);
    textMode = std::strchr(mode, 'b') == nullptr;
    return stream != nullptr;
}

bool StdFileHandler::Close()
{
    if (!stream) {
        return false;
    }
    bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return closed;
}

bool StdFileHandler::IsOpen() const
{
    return stream != nullptr;
}

int StdFileHandler::Read(void* buffer, int count)
{
    if (!stream || !buffer || count <= 0) {
        return 0;
    }
    if (textMode) {
        return ReadText(static_cast<char*>(buffer), count);
    }
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), stream));
}

int StdFileHandler::ReadText(char* buffer, int count)
{
    int copied = 0;
    while (copied < count) {
        int c = std::getc(stream);
        if (c == EOF) {
            break;
        }
        if (c == '\r' && NextIsNewline()) {
            c = '\n';
        }
        buffer[copied++] = static_cast<char>(c);
    }
    return copied;
}

// Consumes the next character only when it is a newline.
bool StdFileHandler::NextIsNewline()
{
    int next = std::getc(stream);
    if (next == '\n') {
        return true;
    }
    if (next != EOF) {
        std::ungetc(next, stream);
    }
    return false;
}

int StdFileHandler::Write(const void* buffer, int count)
{
    if (!stream || !buffer || count <= 0) {
        return 0;
    }
    return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(count), stream));
}

bool StdFileHandler::Eof() const
{
    return !stream || std::feof(stream) != 0;
}

int StdFileHandler::Tell()
{
    if (!stream) {
        return -1;
    }
    long position = std::ftell(stream);
    return position > INT_MAX ? -1 : static_cast<int>(position);
}

void StdFileHandler::Seek(int offset, int origin)
{
    if (stream) {
        std::fseek(stream, offset, ToSeekOrigin(origin));
    }
}

int StdFileHandler::Length()
{
    if (!stream) {
        return -1;
    }
    long position = std::ftell(stream);
    std::fseek(stream, 0, SEEK_END);
    long length = std::ftell(stream);
    std::fseek(stream, position, SEEK_SET);
    return length > INT_MAX ? -1 : static_cast<int>(length);
}

char* StdFileHandler::ReadLine(char* buffer, int max)
{
    if (!buffer || max <= 0) {
        return nullptr;
    }
    buffer[0] = '\0';
    if (!stream || max == 1 || !std::fgets(buffer, max, stream)) {
        return nullptr;
    }
    size_t length = std::strlen(buffer);
    if (!textMode || length == 0) {
        return buffer;
    }
    // A CR LF pair reads as LF, even when the buffer ended between the two.
    if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
        buffer[length - 2] = '\n';
        buffer[length - 1] = '\0';
    } else if (buffer[length - 1] == '\r' && NextIsNewline()) {
        buffer[length - 1] = '\n';
    }
    return buffer;
}

void StdFileHandler::Print(const char* text)
{
    if (stream && text) {
        std::fputs(text, stream);
    }
}

std::FILE* StdFileHandler::Handle()
{
    return stream;
}
