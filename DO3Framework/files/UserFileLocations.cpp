#include "files/UserFileLocations.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/PathResolver.h"
#include "platform/ProgramDirectory.h"

namespace {

constexpr const char* kDataPrefix = "data/";
constexpr const char* kProgramFolder = "/quillmark/";
constexpr mode_t kUserDirectoryMode = 0700;

enum class Kind { Beside, State, Data, Cache };

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The name's path below data\ with slashes; empty for a name elsewhere or one that climbs out.
std::string BelowData(const std::string& name)
{
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    const size_t prefix = std::strlen(kDataPrefix);
    if (path.size() <= prefix || Lower(path.substr(0, prefix)) != kDataPrefix) {
        return {};
    }
    path.erase(0, prefix);
    const bool climbs = path == ".." || path.starts_with("../") || path.ends_with("/..") ||
                        path.find("/../") != std::string::npos;
    return climbs || path.starts_with('/') ? std::string() : path;
}

Kind KindOf(const std::string& below)
{
    const std::string name = Lower(below);
    if (name == "debug.txt" || name == "crash.txt") {
        return Kind::State;
    }
    if (name == "highscores.dat" || name == "highscores.dat.bad" || name == "editor-windows.ini" ||
        name.starts_with("shared/settings/")) {
        return Kind::Data;
    }
    return name.ends_with(".rle") ? Kind::Cache : Kind::Beside;
}

bool ExistsOnDisk(const std::string& name)
{
    struct stat status {};
    return stat(platform::ResolvePath(name).c_str(), &status) == 0;
}

// Like mkdir -p; the directories it makes are the user's alone.
void MakeDirectories(const std::string& directory)
{
    const std::string path = platform::ResolvePath(directory);
    for (size_t end = path.find('/', 1); ; end = path.find('/', end + 1)) {
        const std::string part = path.substr(0, end);
        if (::mkdir(part.c_str(), kUserDirectoryMode) != 0 && errno != EEXIST) {
            return;
        }
        if (end == std::string::npos) {
            return;
        }
    }
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::unique_ptr<UserFileLocations>& Current()
{
    static std::unique_ptr<UserFileLocations> current = std::make_unique<UserFileLocations>(
        !UserFileLocations::WritesBesideProgram(platform::ProgramDirectory()), &std::getenv);
    return current;
}

}  // namespace

UserFileLocations::UserFileLocations(bool usePerUser, Environment lookUp)
    : perUser(usePerUser), environment(std::move(lookUp))
{
}

UserFileLocations& UserFileLocations::Instance()
{
    return *Current();
}

void UserFileLocations::Replace(std::unique_ptr<UserFileLocations> locations)
{
    Current() = std::move(locations);
}

bool UserFileLocations::WritesBesideProgram(const std::string& programDirectory)
{
    const std::string directory = programDirectory.empty() ? "./" : programDirectory;
    const std::string data = platform::ResolvePath(directory + "data");
    struct stat status {};
    if (stat(data.c_str(), &status) == 0) {
        return S_ISDIR(status.st_mode) && ::access(data.c_str(), W_OK) == 0;
    }
    return ::access(directory.c_str(), W_OK) == 0;
}

std::string UserFileLocations::WriteName(const std::string& name) const
{
    const std::string user = UserName(name);
    if (user.empty()) {
        return name;
    }
    MakeDirectories(user.substr(0, user.rfind('/')));
    return user;
}

std::string UserFileLocations::ReadName(const std::string& name) const
{
    const std::string user = UserName(name);
    return !user.empty() && ExistsOnDisk(user) ? user : name;
}

std::string UserFileLocations::OpenName(const std::string& name, const char* mode) const
{
    const bool writes = mode && std::strpbrk(mode, "wa+") != nullptr;
    return writes ? WriteName(name) : ReadName(name);
}

bool UserFileLocations::HasUserCopy(const std::string& name) const
{
    const std::string user = UserName(name);
    return !user.empty() && ExistsOnDisk(user);
}

std::string UserFileLocations::UserName(const std::string& name) const
{
    if (!perUser) {
        return {};
    }
    const std::string below = BelowData(name);
    std::string base;
    switch (below.empty() ? Kind::Beside : KindOf(below)) {
    case Kind::State:
        base = BaseDirectory("XDG_STATE_HOME", ".local/state");
        break;
    case Kind::Data:
        base = BaseDirectory("XDG_DATA_HOME", ".local/share");
        break;
    case Kind::Cache:
        base = BaseDirectory("XDG_CACHE_HOME", ".cache");
        break;
    case Kind::Beside:
        return {};
    }
    return base.empty() ? std::string() : base + kProgramFolder + below;
}

// A relative value is not a base directory at all and is ignored, as an unset one.
std::string UserFileLocations::BaseDirectory(const char* variable, const char* fallback) const
{
    const char* value = environment(variable);
    if (value && value[0] == '/') {
        return WithoutTrailingSlashes(value);
    }
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : home + "/" + fallback;
}

std::string UserFileLocations::HomeDirectory() const
{
    const char* home = environment("HOME");
    if (home && home[0] == '/') {
        return WithoutTrailingSlashes(home);
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? WithoutTrailingSlashes(entry->pw_dir) : std::string();
}
