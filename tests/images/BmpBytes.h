#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The fields of a BMP file as a test wants them, right or wrong.
struct BmpRecipe {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette{};  // 0x00RRGGBB entries written as they are
    std::vector<std::vector<uint8_t>> rows{};  // top-down, unpadded; padded with 0xEE when written
};

inline void PutLittle(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline std::string BmpBytes(const BmpRecipe& recipe)
{
    std::string rows;
    for (auto row = recipe.rows.rbegin(); row != recipe.rows.rend(); ++row) {
        std::string line(row->begin(), row->end());
        while (line.size() % 4 != 0) {
            line += '\xEE';
        }
        rows += line;
    }
    const uint32_t offset = 54 + static_cast<uint32_t>(recipe.palette.size()) * 4;
    const auto size = static_cast<uint32_t>(rows.size());
    const std::pair<uint32_t, int> header[] = {
        {offset + size, 4}, {0, 4}, {offset, 4}, {40, 4}, {static_cast<uint32_t>(recipe.width), 4},
        {static_cast<uint32_t>(recipe.height), 4}, {1, 2}, {recipe.bitCount, 2}, {recipe.compression, 4}, {size, 4},
        {2835, 4}, {2835, 4}, {recipe.colorsUsed, 4}, {0, 4}};
    std::string out = "BM";
    for (const auto& [value, bytes] : header) {
        PutLittle(out, value, bytes);
    }
    for (uint32_t entry : recipe.palette) {
        PutLittle(out, entry, 4);
    }
    return out + rows;
}
