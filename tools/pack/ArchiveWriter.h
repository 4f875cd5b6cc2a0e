#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Packs a data directory into the archive the program reads at start: every regular file
// below the directory, entered under its path relative to it in lower case with backslashes
// (the way the program asks for it), text files scrambled, entries sorted by name. The files
// the game writes itself (log, highscores, temporary files of a save) are left out: a packed
// copy would be stale at once.
class ArchiveWriter {
public:
    // False with Error() set when the directory cannot be read, a name does not fit the
    // directory entry, two files share a name, or the archive cannot be written.
    bool Pack(const std::filesystem::path& directory, const std::filesystem::path& archive);
    // The archive's bytes without writing them (empty on failure).
    std::string Build(const std::filesystem::path& directory);
    const std::string& Error() const { return error; }
    // The entry names of the files the last Pack or Build left out, sorted.
    const std::vector<std::string>& LeftOut() const { return leftOut; }

    static constexpr size_t kMaxNameLength = 63;

private:
    struct Entry {
        std::string name;
        std::filesystem::path source;
    };

    bool Collect(const std::filesystem::path& directory, const std::filesystem::path& skipped);
    bool AddEntry(const std::filesystem::path& directory, const std::filesystem::path& file);
    bool CheckUniqueNames();
    std::string Assemble();
    bool ReadContents(const Entry& entry, std::string& contents);
    bool Fail(const std::string& message);

    std::vector<Entry> entries;
    std::vector<std::string> leftOut;
    std::string error;
};
