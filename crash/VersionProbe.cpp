#include "crash/VersionProbe.h"

#include "platform/SystemInfo.h"

namespace {

// The platform layer provides every service of version 6 on this media library release and
// later (opening web addresses is the newest call it uses).
constexpr int kFullServiceLevel = 0x0600;
constexpr int kReducedServiceLevel = 0x0500;

}  // namespace

int GetDirectXVersion()
{
    return platform::MediaLibraryAtLeast(2, 0, 14) ? kFullServiceLevel : kReducedServiceLevel;
}
