#include "files/ReplacingFileWriter.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <signal.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "app/Debug.h"
#include "files/File.h"
#include "files/UserFileLocations.h"
#include "platform/DiskSync.h"
#include "platform/PathResolver.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryEnding = ".tmp";

// A process of another user counts as running: it may not be signalled, but it exists.
bool ProcessRuns(int id)
{
    return id > 0 && (kill(id, 0) == 0 || errno == EPERM);
}

// The process that wrote fileName as a temporary file of the file whose name ends in leaf
// ("<leaf>.<process id>.tmp"), 0 for any other file.
int WriterOfTemporary(const std::string& fileName, const std::string& leaf)
{
    const std::string ending = kTemporaryEnding;
    const size_t first = leaf.size() + 1;
    if (fileName.size() <= first + ending.size() || fileName.compare(0, leaf.size(), leaf) != 0 ||
        fileName[leaf.size()] != '.' || fileName.compare(fileName.size() - ending.size(), ending.size(), ending) != 0) {
        return 0;
    }
    const char* start = fileName.data() + first;
    const char* end = fileName.data() + fileName.size() - ending.size();
    int id = 0;
    auto result = std::from_chars(start, end, id);
    return result.ec == std::errc{} && result.ptr == end ? id : 0;
}

// The last component of a program's file name, whose separators may be either slash.
std::string Leaf(const std::string& name)
{
    size_t separator = name.find_last_of("\\/");
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

}  // namespace

ReplacingFileWriter::ReplacingFileWriter(std::string fileName, std::string operationName, Kind writerKind)
    : name(std::move(fileName)),
      path(UserFileLocations::Instance().WriteName(name)),
      operation(std::move(operationName)),
      temporary(TemporaryName(path)),
      kind(writerKind)
{
}

std::string ReplacingFileWriter::TemporaryName(const std::string& name)
{
    return name + "." + std::to_string(getpid()) + kTemporaryEnding;
}

bool ReplacingFileWriter::Write(const std::string& bytes)
{
    const int size = static_cast<int>(bytes.size());
    return Write([&bytes, size](File& file) { return file.Write(bytes.data(), size) == size; });
}

bool ReplacingFileWriter::Write(const ContentWriter& writeContents)
{
    RemoveLeftovers();
    File file;
    if (!file.OpenDisk(temporary.c_str(), "wb")) {
        return Fail("open");
    }
    const bool written = writeContents(file) && (kind == Kind::Cache || platform::SyncToDisk(file.Handle()));
    file.Close();
    std::error_code error;
    if (written) {
        fs::rename(platform::ResolvePath(temporary), platform::ResolvePath(path), error);
    }
    if (!written || error) {
        fs::remove(platform::ResolvePath(temporary), error);
        return Fail(written ? "replace" : "write");
    }
    return true;
}

void ReplacingFileWriter::RemoveLeftovers() const
{
    fs::path directory = fs::path(platform::ResolvePath(path)).parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    const std::string leaf = Leaf(path);
    for (const std::string& entry : PathResolver::Instance().NamesStartingWith(directory.string(), leaf + ".")) {
        int writer = WriterOfTemporary(entry, leaf);
        if (writer != 0 && !ProcessRuns(writer)) {
            std::error_code ignored;
            fs::remove(directory / entry, ignored);
        }
    }
}

bool ReplacingFileWriter::Fail(const char* step) const
{
    if (kind == Kind::Cache) {
        Debug::Instance().Warning("%s: Failed to %s <%s>!\n", operation.c_str(), step, name.c_str());
    } else {
        Debug::Instance().Error("%s: Failed to %s <%s>!\n", operation.c_str(), step, name.c_str());
    }
    return false;
}
