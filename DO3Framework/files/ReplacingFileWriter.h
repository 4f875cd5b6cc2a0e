#pragma once

#include <functional>
#include <string>

class File;

// Replaces a disk file as a whole. The new contents go to a temporary file beside it
// ("<name>.<process id>.tmp"), are synced to the disk and renamed over the old file, so a
// reader finds the old file or the new one, never a part of either: after a crash, a full
// disk, or with two instances writing the same file at once. Temporary files of the same
// file left by a process that no longer runs (a killed save) are removed by the next save.
// A failure leaves the old file, removes the temporary one and logs
// "<operation>: Failed to open|write|replace <name>!".
class ReplacingFileWriter {
public:
    // Writes the whole contents to the file opened for it; false on a write error.
    using ContentWriter = std::function<bool(File& file)>;

    // A record (the highscore table, the settings) is synced to the disk before it replaces the
    // old one, and failing to write it is an error; a cache can be rebuilt, so it skips the sync
    // (which would slow a start that writes hundreds) and a failure is only a warning.
    enum class Kind { Record, Cache };

    // name is the program's file name ("data\\highscores.dat"), written where UserFileLocations
    // keeps it; operation names the caller in the log ("HighscoreManager::Save").
    ReplacingFileWriter(std::string name, std::string operation, Kind kind = Kind::Record);

    bool Write(const std::string& bytes);
    bool Write(const ContentWriter& writeContents);

    // The name of the temporary file this process writes for the file path.
    static std::string TemporaryName(const std::string& name);

private:
    void RemoveLeftovers() const;
    bool Fail(const char* step) const;

    std::string name;
    // Where the file lies on the disk (UserFileLocations), spelled as the program names it.
    std::string path;
    std::string operation;
    std::string temporary;
    Kind kind;
};
