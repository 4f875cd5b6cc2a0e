#include "platform/DirectoryChanges.h"

#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t kEntryChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;
constexpr size_t kReportBufferBytes = 64 * 1024;

DirectoryChanges::Change::Kind KindOf(uint32_t mask)
{
    using Kind = DirectoryChanges::Change::Kind;
    if (mask & IN_Q_OVERFLOW) {
        return Kind::kReportsLost;
    }
    if (mask & IN_IGNORED) {
        return Kind::kWatchEnded;
    }
    return (mask & (IN_CREATE | IN_MOVED_TO)) ? Kind::kAdded : Kind::kRemoved;
}

}  // namespace

DirectoryChanges::DirectoryChanges() : reports(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

DirectoryChanges::~DirectoryChanges()
{
    if (reports >= 0) {
        close(reports);
    }
}

int DirectoryChanges::Watch(const std::string& path)
{
    return reports < 0 ? -1 : inotify_add_watch(reports, path.c_str(), kEntryChanges);
}

void DirectoryChanges::Unwatch(int watch)
{
    if (reports >= 0) {
        inotify_rm_watch(reports, watch);
    }
}

std::vector<DirectoryChanges::Change> DirectoryChanges::Take()
{
    std::vector<Change> changes;
    if (reports < 0) {
        return changes;
    }
    buffer.resize(kReportBufferBytes);
    ssize_t length = 0;
    while ((length = read(reports, buffer.data(), buffer.size())) > 0) {
        for (ssize_t offset = 0; offset < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + offset, sizeof event);
            // The name is padded with zero bytes to its length.
            const char* name = buffer.data() + offset + sizeof event;
            changes.push_back({KindOf(event.mask), event.wd, std::string(name, strnlen(name, event.len))});
            offset += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    return changes;
}
