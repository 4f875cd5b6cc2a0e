#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/Image.h"
#include "support/TempDir.h"

// A log in a temporary directory and a chosen screen format for the pictures of one test.
class ImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Debug::Release();
        Debug::Instance().CreateLogFile("debug.txt");
        DirectDraw::Instance().SetScreenFormat(ScreenFormat::Rgb565());
    }

    void TearDown() override
    {
        Singleton<DirectDraw>::Release();
        Debug::Release();
    }

    std::string Log() const { return dir.Read("debug.txt"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }

    TempDir dir;
};

// The fields of a BMP file as a test wants them, right or wrong.
struct BmpRecipe {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries written as they are
    std::vector<std::vector<uint8_t>> rows;  // top-down, unpadded; padded with 0xEE when written
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
    std::string out = "BM";
    uint32_t offset = 54 + static_cast<uint32_t>(recipe.palette.size()) * 4;
    PutLittle(out, offset + static_cast<uint32_t>(rows.size()), 4);
    PutLittle(out, 0, 4);
    PutLittle(out, offset, 4);
    PutLittle(out, 40, 4);
    PutLittle(out, static_cast<uint32_t>(recipe.width), 4);
    PutLittle(out, static_cast<uint32_t>(recipe.height), 4);
    PutLittle(out, 1, 2);
    PutLittle(out, recipe.bitCount, 2);
    PutLittle(out, recipe.compression, 4);
    PutLittle(out, static_cast<uint32_t>(rows.size()), 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, recipe.colorsUsed, 4);
    PutLittle(out, 0, 4);
    for (uint32_t entry : recipe.palette) {
        PutLittle(out, entry, 4);
    }
    return out + rows;
}

// An 8-bit image of one row with the given palette indices.
inline Image IndexRow(const std::vector<uint8_t>& indices)
{
    Image image;
    image.Create(static_cast<int>(indices.size()), 1, 8, true);
    std::copy(indices.begin(), indices.end(), image.GetData());
    return image;
}
