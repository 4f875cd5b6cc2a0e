#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One scratch directory per fuzzing process, made the working directory on first use and
// removed at exit, for readers that only read from a named file. Every input overwrites the
// same file, so an iteration costs one small write.
class FuzzTempFile {
public:
    // Writes the bytes to name, relative to the scratch directory (subfolders are made once).
    static void Write(const std::string& name, const uint8_t* data, size_t size);
    static const std::string& Directory();
};
