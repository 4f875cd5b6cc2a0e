#include "audio/SoundFile.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "app/Debug.h"
#include "files/File.h"

namespace {

const char* const kDataDirectory = "data\\";

bool ExistsWithContent(const std::string& path)
{
    File file;
    return file.Open(path.c_str(), "rb") && file.Length() >= 1;
}

std::string UpperTail(const std::string& name, size_t count)
{
    std::string tail = name.size() >= count ? name.substr(name.size() - count) : name;
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::toupper(c); });
    return tail;
}

}  // namespace

bool SoundFile::Resolve(const std::string& name, const std::string& extension, std::string& path)
{
    if (name.find('.') != std::string::npos) {
        if (UpperTail(name, extension.size()) != extension) {
            return false;
        }
        path = kDataDirectory + name;
    } else {
        path = kDataDirectory + name + "." + extension;
    }
    return ExistsWithContent(path);
}

bool SoundFile::ReadWhole(const std::string& path, std::vector<uint8_t>& bytes)
{
    File file;
    if (!file.Open(path.c_str(), "rb")) {
        Debug::Instance().Error("SoundFile::ReadWhole: could not open <%s>\n", path.c_str());
        return false;
    }
    const int length = file.Length();
    if (length <= 0) {
        Debug::Instance().Error("SoundFile::ReadWhole: empty file <%s>\n", path.c_str());
        return false;
    }
    try {
        bytes.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        Debug::Instance().Error("not enough memory\n");
        return false;
    }
    if (file.Read(bytes.data(), length) != length) {
        Debug::Instance().Error("SoundFile::ReadWhole: short read <%s>\n", path.c_str());
        return false;
    }
    return true;
}
