#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

#include "util/Singleton.h"

// Turns the program's Windows-style file names ("data\Level01\RoundEnd.txt") into paths of a
// case-sensitive file system: backslashes become slashes and every component is matched
// against the disk without regard to letter case. Components that do not exist keep their
// spelling, so a file about to be created gets the name the program gave it.
class PathResolver : public Singleton<PathResolver> {
public:
    std::string Resolve(const std::string& name);

private:
    std::string ResolveComponent(const std::string& directory, const std::string& component);
    std::string FindIgnoringCase(const std::string& directory, const std::string& component) const;

    // Only hits are remembered, and each is checked against the disk before use: a file that
    // appears later, or a working directory that changes, never meets a stale answer.
    std::unordered_map<std::string, std::string> resolved;
    std::mutex lock;
};

namespace platform {

inline std::string ResolvePath(const std::string& name)
{
    return PathResolver::Instance().Resolve(name);
}

}  // namespace platform
