#include "ArchiveWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <system_error>

#include "files/DataFile.h"
#include "files/TextScrambler.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kCountSize = 4;

// What the game writes into data/, as entry names; it reads them from the disk only.
constexpr std::string_view kWrittenByTheGame[] = {"data\\debug.txt", "data\\crash.txt", "data\\highscores.dat",
                                                  "data\\highscores.dat.bad", "data\\editor-windows.ini"};
// Files of a save in progress, or of one that was killed.
constexpr std::string_view kTemporaryEnding = ".tmp";

bool IsWrittenByTheGame(std::string_view name)
{
    return std::find(std::begin(kWrittenByTheGame), std::end(kWrittenByTheGame), name) !=
               std::end(kWrittenByTheGame) ||
           name.ends_with(kTemporaryEnding);
}

std::string EntryName(const fs::path& relative)
{
    std::string name = relative.generic_string();
    for (char& c : name) {
        if (c == '/') {
            c = '\\';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

void AppendLittleEndian32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

bool IsSameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ignored;
    return fs::exists(b, ignored) && fs::equivalent(a, b, ignored);
}

}  // namespace

bool ArchiveWriter::Pack(const fs::path& directory, const fs::path& archive)
{
    error.clear();
    entries.clear();
    leftOut.clear();
    if (!Collect(directory, archive) || !CheckUniqueNames()) {
        return false;
    }
    std::string bytes = Assemble();
    if (!error.empty()) {
        return false;
    }
    std::ofstream out(archive, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return Fail("cannot write the archive " + archive.string());
    }
    return true;
}

std::string ArchiveWriter::Build(const fs::path& directory)
{
    error.clear();
    entries.clear();
    leftOut.clear();
    if (!Collect(directory, fs::path()) || !CheckUniqueNames()) {
        return {};
    }
    std::string bytes = Assemble();
    return error.empty() ? bytes : std::string();
}

// The archive itself may lie inside the directory; it is never packed into itself.
bool ArchiveWriter::Collect(const fs::path& directory, const fs::path& skipped)
{
    std::error_code code;
    if (!fs::is_directory(directory, code)) {
        return Fail("cannot read the directory " + directory.string());
    }
    fs::recursive_directory_iterator it(directory, code);
    if (code) {
        return Fail("cannot read the directory " + directory.string() + ": " + code.message());
    }
    for (; it != fs::recursive_directory_iterator(); it.increment(code)) {
        if (code) {
            return Fail("cannot read below " + directory.string() + ": " + code.message());
        }
        if (!it->is_regular_file(code) || (!skipped.empty() && IsSameFile(it->path(), skipped))) {
            continue;
        }
        if (!AddEntry(directory, it->path())) {
            return false;
        }
    }
    if (code) {
        return Fail("cannot read below " + directory.string() + ": " + code.message());
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    std::sort(leftOut.begin(), leftOut.end());
    return true;
}

bool ArchiveWriter::AddEntry(const fs::path& directory, const fs::path& file)
{
    std::string name = EntryName(file.lexically_relative(directory));
    if (IsWrittenByTheGame(name)) {
        leftOut.push_back(name);
        return true;
    }
    if (name.size() > kMaxNameLength) {
        return Fail("the name " + name + " is longer than " + std::to_string(kMaxNameLength) + " bytes");
    }
    entries.push_back({name, file});
    return true;
}

bool ArchiveWriter::CheckUniqueNames()
{
    auto twin = std::adjacent_find(entries.begin(), entries.end(),
                                   [](const Entry& a, const Entry& b) { return a.name == b.name; });
    if (twin != entries.end()) {
        return Fail("two files differ only in letter case: " + twin->name);
    }
    return true;
}

// Directory first, then the contents in directory order; reserved bytes stay zero.
std::string ArchiveWriter::Assemble()
{
    std::string contents;
    std::string directory;
    AppendLittleEndian32(directory, static_cast<uint32_t>(entries.size()));
    size_t dataStart = kCountSize + entries.size() * DataFile::kEntrySize;
    for (const Entry& entry : entries) {
        std::string bytes;
        if (!ReadContents(entry, bytes)) {
            return {};
        }
        size_t offset = dataStart + contents.size();
        if (offset + bytes.size() > static_cast<size_t>(INT_MAX)) {
            Fail("the archive would exceed 2 GiB at " + entry.name);
            return {};
        }
        std::string field = entry.name;
        field.resize(DataFile::kNameSize, '\0');
        directory += field;
        AppendLittleEndian32(directory, static_cast<uint32_t>(offset));
        AppendLittleEndian32(directory, static_cast<uint32_t>(bytes.size()));
        directory.append(DataFile::kEntrySize - DataFile::kNameSize - 2 * kCountSize, '\0');
        contents += bytes;
    }
    return directory + contents;
}

bool ArchiveWriter::ReadContents(const Entry& entry, std::string& contents)
{
    std::ifstream in(entry.source, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (!in) {
        return Fail("cannot read " + entry.source.string());
    }
    contents = buffer.str();
    if (TextScrambler::AppliesTo(entry.name)) {
        TextScrambler::Scramble(contents.data(), contents.size());
    }
    return true;
}

bool ArchiveWriter::Fail(const std::string& message)
{
    error = message;
    return false;
}
