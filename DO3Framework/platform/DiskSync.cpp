#include "platform/DiskSync.h"

#include <cerrno>

#include <unistd.h>

namespace platform {

bool SyncToDisk(std::FILE* stream)
{
    if (!stream || std::fflush(stream) != 0 || std::ferror(stream)) {
        return false;
    }
    return fsync(fileno(stream)) == 0 || errno == EINVAL || errno == EROFS;
}

}  // namespace platform
