#pragma once

namespace platform {

// The version of the operating system's kernel, for the log header.
struct KernelVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

KernelVersion GetKernelVersion();

// Reads "6.1.0-18-amd64" style release strings; missing numbers are 0.
KernelVersion ParseKernelRelease(const char* release);

// Whether the media library the program runs on is at least the given release.
bool MediaLibraryAtLeast(int major, int minor, int patch);

}  // namespace platform
