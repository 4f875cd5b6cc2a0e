#include "platform/PathResolver.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string ToLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : char(c); });
    return text;
}

bool ExistsOnDisk(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
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
        std::string next = missing ? component : ResolveComponent(result, component);
        result = Join(result, next);
        missing = missing || !ExistsOnDisk(result);
    }
    if (path.ends_with('/') && !result.ends_with('/')) {
        result += '/';
    }
    return result;
}

std::string PathResolver::ResolveComponent(const std::string& directory, const std::string& component)
{
    if (component == "." || component == ".." || ExistsOnDisk(Join(directory, component))) {
        return component;
    }
    std::string key = ToLower(Join(directory, component));
    auto cached = resolved.find(key);
    if (cached != resolved.end()) {
        if (ExistsOnDisk(Join(directory, cached->second))) {
            return cached->second;
        }
        resolved.erase(cached);
    }
    std::string found = FindIgnoringCase(directory, component);
    if (found.empty()) {
        return component;
    }
    resolved[key] = found;
    return found;
}

std::string PathResolver::FindIgnoringCase(const std::string& directory, const std::string& component) const
{
    std::error_code error;
    fs::directory_iterator entries(directory.empty() ? "." : directory, error);
    if (error) {
        return {};
    }
    std::string wanted = ToLower(component);
    std::string best;
    for (auto it = entries; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        std::string candidate = it->path().filename().string();
        // Several spellings of one name: take the smallest, so the choice never depends on
        // the order the directory lists them in.
        if (ToLower(candidate) == wanted && (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    return best;
}
