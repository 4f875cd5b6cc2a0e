#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/TextScrambler.h"

// Archives built byte by byte, so the reader is tested against the format and not against
// the packing tool.
namespace archivebytes {

struct RawEntry {
    std::string name;  // written as is, cut or padded to 64 bytes
    uint32_t offset;
    uint32_t size;
};

inline void AppendLittleEndian32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

inline std::string Directory(uint32_t count, const std::vector<RawEntry>& entries)
{
    std::string bytes;
    AppendLittleEndian32(bytes, count);
    for (const RawEntry& entry : entries) {
        std::string name = entry.name;
        name.resize(64, '\0');
        bytes += name;
        AppendLittleEndian32(bytes, entry.offset);
        AppendLittleEndian32(bytes, entry.size);
        bytes.append(8, '\0');
    }
    return bytes;
}

inline std::string Scrambled(std::string text)
{
    TextScrambler::Scramble(text.data(), text.size());
    return text;
}

// A well-formed archive of (name, contents) pairs in the given order; text entries scrambled.
inline std::string Archive(const std::vector<std::pair<std::string, std::string>>& files)
{
    std::vector<RawEntry> entries;
    std::string contents;
    uint32_t offset = 4 + 80 * static_cast<uint32_t>(files.size());
    for (const auto& [name, data] : files) {
        std::string stored = TextScrambler::AppliesTo(name) ? Scrambled(data) : data;
        entries.push_back({name, offset + static_cast<uint32_t>(contents.size()), static_cast<uint32_t>(stored.size())});
        contents += stored;
    }
    return Directory(static_cast<uint32_t>(files.size()), entries) + contents;
}

}  // namespace archivebytes
