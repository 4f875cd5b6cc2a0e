#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How the loaders and streams find and read their files: names are relative to "data\", and
// a name without a '.' is completed with the loader's extension.
class SoundFile {
public:
    // The path to open for name, when name fits extension ("WAV", "OGG") and the file exists
    // with at least one byte.
    static bool Resolve(const std::string& name, const std::string& extension, std::string& path);
    // The whole file; false (with a log line) when it cannot be read or is empty.
    static bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes);
};
