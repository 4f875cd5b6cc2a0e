#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One scratch directory per fuzzing process, removed at exit, for readers that only read
// from a named file. Every input overwrites the same file, so an iteration costs one small
// write. The working directory stays where it was: libFuzzer reads its corpus and writes its
// artifacts by relative paths.
class FuzzTempFile {
public:
    // Writes the bytes to name, relative to the scratch directory (subfolders are made once),
    // and returns the file's absolute path.
    static std::string Write(const std::string& name, const uint8_t* data, size_t size);
    static const std::string& Directory();
};
