#include "platform/SystemInfo.h"

#include <SDL.h>

#include <cstdlib>
#include <sys/utsname.h>

namespace platform {
namespace {

// Reads one decimal number at text and moves past it and one following separator.
int NextNumber(const char*& text)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text) {
        return 0;
    }
    text = *end == '.' ? end + 1 : end;
    return static_cast<int>(value);
}

}  // namespace

KernelVersion GetKernelVersion()
{
    struct utsname names {};
    if (::uname(&names) != 0) {
        return {};
    }
    return ParseKernelRelease(names.release);
}

KernelVersion ParseKernelRelease(const char* release)
{
    KernelVersion version;
    if (!release) {
        return version;
    }
    version.major = NextNumber(release);
    version.minor = NextNumber(release);
    version.build = NextNumber(release);
    return version;
}

bool MediaLibraryAtLeast(int major, int minor, int patch)
{
    SDL_version linked;
    SDL_GetVersion(&linked);
    return SDL_VERSIONNUM(linked.major, linked.minor, linked.patch) >= SDL_VERSIONNUM(major, minor, patch);
}

}  // namespace platform
