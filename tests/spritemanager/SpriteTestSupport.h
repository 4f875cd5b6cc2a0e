#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/BmpBytes.h"
#include "images/Image.h"
#include "render/RenderEngine.h"
#include "settings/SettingsManager.h"
#include "sprites/LoadingScreen.h"
#include "sprites/SpriteLoaderUtil.h"
#include "sprites/SpriteManager.h"
#include "support/TempDir.h"
#include "text/TextDisplay.h"

// A 24-bit picture from colours given row by row, top-down.
inline std::string Bmp24(int width, int height, const std::vector<Color>& colors)
{
    BmpRecipe recipe{width, height};
    for (int y = 0; y < height; ++y) {
        auto& row = recipe.rows.emplace_back();
        for (int x = 0; x < width; ++x) {
            Color c = colors[static_cast<size_t>(y * width + x)];
            row.insert(row.end(), {static_cast<uint8_t>(ColorBlue(c)), static_cast<uint8_t>(ColorGreen(c)),
                                   static_cast<uint8_t>(ColorRed(c))});
        }
    }
    return BmpBytes(recipe);
}

// An 8-bit picture from palette indices row by row, top-down; palette entry i is grey level i
// except the entries given.
inline std::string Bmp8(int width, int height, const std::vector<uint8_t>& indices,
                        const std::vector<std::pair<int, Color>>& colors = {})
{
    BmpRecipe recipe{width, height, 8};
    for (int i = 0; i < 256; ++i) {
        recipe.palette.push_back(MakeColor(i, i, i));
    }
    for (const auto& [index, color] : colors) {
        recipe.palette[static_cast<size_t>(index)] = color;
    }
    for (int y = 0; y < height; ++y) {
        recipe.rows.emplace_back(indices.begin() + y * width, indices.begin() + (y + 1) * width);
    }
    return BmpBytes(recipe);
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

    // Lists a cropped sprite under label.
    static void Register(const std::string& label, const std::string& file, int32_t type, int frames = 1,
                         bool mirror = false)
    {
        SpriteInfo info;
        info.label = label;
        info.file = file;
        info.type = type;
        info.frameCount = frames;
        info.mirror = mirror;
        info.crop = true;
        Sprites().AddSpriteInfo(info);
    }

    std::string Log() const { return dir.Read("debug.txt"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
    static SpriteManager& Sprites() { return SpriteManager::Instance(); }

    TempDir dir;
};
