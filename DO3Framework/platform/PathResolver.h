#pragma once

#include <map>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/DirectoryChanges.h"
#include "platform/DirectoryListing.h"
#include "util/Singleton.h"

// Turns the program's Windows-style file names ("data\Level01\RoundEnd.txt") into paths of a
// case-sensitive file system: backslashes become slashes and every component is matched
// against the disk without regard to letter case. Components that do not exist keep their
// spelling, so a file about to be created gets the name the program gave it.
class PathResolver : public Singleton<PathResolver> {
public:
    std::string Resolve(const std::string& name);
    // The names in the directory at the resolved path that begin with prefix (letter case counts).
    std::vector<std::string> NamesStartingWith(const std::string& directory, const std::string& prefix);

private:
    using DirectoryId = std::pair<dev_t, ino_t>;

    // The spelling on disk of component inside directory; empty when there is none.
    std::string SpellingOnDisk(const std::string& directory, const std::string& component);
    // The directory's names as they are now; null when it is no directory that can be read.
    const DirectoryListing* CurrentListing(const std::string& directory);
    void ApplyReportedChanges();
    void ForgetAll();

    // Listings are kept by the directory itself, not its name: a working directory that
    // changes, or a directory made anew, never meets another one's names. Every change the
    // system reports is applied to them, so a file that appears later, from this program or
    // another, is found.
    std::map<DirectoryId, DirectoryListing> listings;
    std::unordered_map<int, DirectoryId> watched;
    DirectoryChanges changes;
    // Read for one answer where the directory cannot be watched.
    DirectoryListing unwatched;
    std::mutex lock;
};

namespace platform {

inline std::string ResolvePath(const std::string& name)
{
    return PathResolver::Instance().Resolve(name);
}

}  // namespace platform
