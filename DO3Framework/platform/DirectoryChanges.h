#pragma once

#include <string>
#include <vector>

// The system's reports of entries created, removed and renamed in watched directories, by this
// program or any other. Where the system offers no such reports nothing can be watched.
class DirectoryChanges {
public:
    struct Change {
        enum class Kind {
            kAdded,
            kRemoved,
            // The watch has ended: the directory is gone or no longer watched.
            kWatchEnded,
            // Reports were dropped: no watched directory can be trusted.
            kReportsLost,
        };
        Kind kind;
        int watch;
        std::string name;
    };

    DirectoryChanges();
    ~DirectoryChanges();
    DirectoryChanges(const DirectoryChanges&) = delete;
    DirectoryChanges& operator=(const DirectoryChanges&) = delete;

    // The watch of the directory at path, -1 when it cannot be watched.
    int Watch(const std::string& path);
    void Unwatch(int watch);
    // Every change reported since the last call, in order.
    std::vector<Change> Take();

private:
    int reports = -1;
    std::vector<char> buffer;
};
