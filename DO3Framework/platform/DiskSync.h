#pragma once

#include <cstdio>

namespace platform {

// Pushes a written stream's bytes through the system's cache onto the disk, so that a file
// renamed over an older one afterwards is never found empty after a power cut. A file system
// that cannot sync counts as done; false on a write error.
bool SyncToDisk(std::FILE* stream);

}  // namespace platform
