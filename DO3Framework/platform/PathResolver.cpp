#include "platform/PathResolver.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool ExistsOnDisk(const std::string& path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

std::string Join(const std::string& directory, const std::string& component)
{
    if (directory.empty()) {
        return component;
    }
    if (directory.back() == '/') {
        return directory + component;
    }
    return directory + "/" + component;
}

}  // namespace

std::string PathResolver::Resolve(const std::string& name)
{
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');

    std::lock_guard<std::mutex> guard(lock);
    std::string result = path.starts_with('/') ? "/" : "";
    bool missing = false;
    size_t start = result.size();
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            continue;
        }
        // Below a missing directory nothing can exist: keep the remaining spelling.
        std::string found = missing ? std::string() : SpellingOnDisk(result, component);
        missing = found.empty();
        result = Join(result, missing ? component : found);
    }
    if (path.ends_with('/') && !result.ends_with('/')) {
        result += '/';
    }
    return result;
}

std::vector<std::string> PathResolver::NamesStartingWith(const std::string& directory, const std::string& prefix)
{
    std::lock_guard<std::mutex> guard(lock);
    const DirectoryListing* listing = CurrentListing(directory);
    return listing ? listing->NamesStartingWith(prefix) : std::vector<std::string>();
}

std::string PathResolver::SpellingOnDisk(const std::string& directory, const std::string& component)
{
    if (ExistsOnDisk(Join(directory, component))) {
        return component;
    }
    if (component == "." || component == "..") {
        return {};
    }
    const DirectoryListing* listing = CurrentListing(directory);
    return listing ? listing->Find(component) : std::string();
}

const DirectoryListing* PathResolver::CurrentListing(const std::string& directory)
{
    const std::string path = directory.empty() ? "." : directory;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return nullptr;
    }
    // After the look at the disk: a directory replaced before it has reported so by now.
    ApplyReportedChanges();
    const DirectoryId id{status.st_dev, status.st_ino};
    auto known = listings.find(id);
    if (known != listings.end()) {
        return &known->second;
    }
    // Watched before it is read, so that no change slips in between.
    const int watch = changes.Watch(path);
    if (watch < 0) {
        return unwatched.Read(path) ? &unwatched : nullptr;
    }
    // One directory, one watch: a listing the watch served before (the directory was replaced
    // between the look and the watch) is stale.
    auto previous = watched.find(watch);
    if (previous != watched.end()) {
        listings.erase(previous->second);
    }
    watched[watch] = id;
    DirectoryListing& listing = listings[id];
    if (!listing.Read(path)) {
        changes.Unwatch(watch);
        watched.erase(watch);
        listings.erase(id);
        return nullptr;
    }
    return &listing;
}

void PathResolver::ApplyReportedChanges()
{
    using Kind = DirectoryChanges::Change::Kind;
    for (const DirectoryChanges::Change& change : changes.Take()) {
        if (change.kind == Kind::kReportsLost) {
            ForgetAll();
            continue;
        }
        auto id = watched.find(change.watch);
        if (id == watched.end()) {
            continue;
        }
        DirectoryListing& listing = listings[id->second];
        if (change.kind == Kind::kAdded) {
            listing.Add(change.name);
        } else if (change.kind == Kind::kRemoved) {
            listing.Remove(change.name);
        } else {
            listings.erase(id->second);
            watched.erase(id);
        }
    }
}

void PathResolver::ForgetAll()
{
    for (const auto& entry : watched) {
        changes.Unwatch(entry.first);
    }
    watched.clear();
    listings.clear();
}
