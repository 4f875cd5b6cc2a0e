#include "support/FuzzTempFile.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    std::perror(what.c_str());
    std::abort();
}

// Memory-backed when the machine has it: rewriting a disk file every iteration costs a
// journal write each time. TMPDIR still wins when it is set.
std::filesystem::path ScratchParent()
{
    std::error_code ignored;
    if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ignored)) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

struct ScratchDirectory {
    std::string path;

    ScratchDirectory()
    {
        std::string pattern = (ScratchParent() / "qmfuzz.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            Fail(pattern);
        }
        path = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

ScratchDirectory& Scratch()
{
    static ScratchDirectory scratch;
    return scratch;
}

void MakeParentOnce(const std::string& name)
{
    static std::set<std::string> made;
    if (!made.insert(name).second) {
        return;
    }
    std::filesystem::path parent = std::filesystem::path(name).parent_path();
    std::error_code ignored;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ignored);
    }
}

}  // namespace

const std::string& FuzzTempFile::Directory()
{
    return Scratch().path;
}

std::string FuzzTempFile::Write(const std::string& name, const uint8_t* data, size_t size)
{
    const std::string path = Directory() + "/" + name;
    MakeParentOnce(path);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        Fail(path);
    }
    if (size > 0 && std::fwrite(data, 1, size, out) != size) {
        Fail(path);
    }
    std::fclose(out);
    return path;
}
