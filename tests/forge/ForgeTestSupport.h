#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "images/Image.h"

// Readers of the forge's output shared by its picture checks.
namespace forge_test {

struct ListEntry {
    std::string type;
    std::string file;
    std::string mode;
    int frames = 1;
};

// The entries of a sprite list by label; a static entry has one frame.
inline std::map<std::string, ListEntry> ReadList(const std::filesystem::path& list)
{
    std::map<std::string, ListEntry> entries;
    std::ifstream in(list);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream tokens(line);
        std::string label;
        ListEntry entry;
        tokens >> label >> entry.type >> entry.file >> entry.mode;
        if (entry.type != "static") {
            tokens >> entry.frames;
        }
        entries[label] = entry;
    }
    return entries;
}

inline std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The colour a loaded picture keeps where the forge left a pixel transparent.
inline bool IsMagenta(Color c) { return ColorRed(c) >= 240 && ColorGreen(c) < 8 && ColorBlue(c) >= 240; }

}  // namespace forge_test
