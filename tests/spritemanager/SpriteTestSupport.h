#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/Image.h"
#include "render/RenderEngine.h"
#include "settings/SettingsManager.h"
#include "sprites/LoadingScreen.h"
#include "sprites/SpriteLoaderUtil.h"
#include "sprites/SpriteManager.h"
#include "support/TempDir.h"
#include "text/TextDisplay.h"

// Little-endian bytes of a value.
inline void AppendLittle(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// An uncompressed bottom-up BMP; rows are given top-down, unpadded.
inline std::string BmpFile(int width, int height, int bitCount, const std::vector<Color>& palette,
                           const std::vector<std::string>& rows)
{
    std::string pixels;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        std::string line = *row;
        line.resize((line.size() + 3) / 4 * 4, '\0');
        pixels += line;
    }
    uint32_t offset = 54 + static_cast<uint32_t>(palette.size()) * 4;
    std::string out = "BM";
    AppendLittle(out, offset + static_cast<uint32_t>(pixels.size()), 4);
    AppendLittle(out, 0, 4);
    AppendLittle(out, offset, 4);
    AppendLittle(out, 40, 4);
    AppendLittle(out, static_cast<uint32_t>(width), 4);
    AppendLittle(out, static_cast<uint32_t>(height), 4);
    AppendLittle(out, 1, 2);
    AppendLittle(out, static_cast<uint32_t>(bitCount), 2);
    AppendLittle(out, 0, 4);
    AppendLittle(out, static_cast<uint32_t>(pixels.size()), 4);
    AppendLittle(out, 2835, 4);
    AppendLittle(out, 2835, 4);
    AppendLittle(out, static_cast<uint32_t>(palette.size()), 4);
    AppendLittle(out, 0, 4);
    for (Color entry : palette) {
        AppendLittle(out, entry, 4);
    }
    return out + pixels;
}

// A 24-bit picture from colours given row by row, top-down.
inline std::string Bmp24(int width, int height, const std::vector<Color>& colors)
{
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            Color c = colors[static_cast<size_t>(y * width + x)];
            row += static_cast<char>(ColorBlue(c));
            row += static_cast<char>(ColorGreen(c));
            row += static_cast<char>(ColorRed(c));
        }
        rows.push_back(row);
    }
    return BmpFile(width, height, 24, {}, rows);
}

// An 8-bit picture from palette indices row by row, top-down; palette entry i is grey level i
// except the entries given.
inline std::string Bmp8(int width, int height, const std::vector<uint8_t>& indices,
                        const std::vector<std::pair<int, Color>>& colors = {})
{
    std::vector<Color> palette(256);
    for (int i = 0; i < 256; ++i) {
        palette[static_cast<size_t>(i)] = MakeColor(i, i, i);
    }
    for (const auto& [index, color] : colors) {
        palette[static_cast<size_t>(index)] = color;
    }
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        rows.emplace_back(indices.begin() + y * width, indices.begin() + (y + 1) * width);
    }
    return BmpFile(width, height, 8, palette, rows);
}

// A headless 16-bit display, a fresh log and fresh graphics services in a temporary directory.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseServices();
        Debug::Instance().CreateLogFile("debug.txt");
        ASSERT_TRUE(DirectDraw::Instance().Create(nullptr, 1024, 768, 16, false));
    }

    void TearDown() override { ReleaseServices(); }

    static void ReleaseServices()
    {
        LoadingScreen::Release();
        TextDisplay::Release();
        SpriteManager::Release();
        SpriteLoaderUtil::Release();
        RenderEngine::Release();
        SettingsManager::Release();
        Singleton<DirectDraw>::Release();
        Debug::Release();
    }

    std::string Log() const { return dir.Read("debug.txt"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
    static SpriteManager& Sprites() { return SpriteManager::Instance(); }

    TempDir dir;
};
