#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/Image.h"
#include "images/ImageUtil.h"
#include "platform/DisplayModes.h"
#include "platform/EventPump.h"
#include "platform/PixelFormat.h"
#include "render/RenderEngine.h"
#include "support/TempDir.h"

// A screen format a test runs on.
struct ScreenCase {
    int depth = 16;
    bool rgb555 = false;
    const char* name = "Rgb565";
};

inline void PrintTo(const ScreenCase& screen, std::ostream* out)
{
    *out << screen.name;
}

inline std::string ScreenCaseName(const testing::TestParamInfo<ScreenCase>& info)
{
    return info.param.name;
}

inline const ScreenCase kScreen565{16, false, "Rgb565"};
inline const ScreenCase kScreen555{16, true, "Rgb555"};
inline const ScreenCase kScreen8888{32, false, "Xrgb8888"};
inline const ScreenCase kScreen888{24, false, "Rgb888"};

// A black picture in the screen format with the area inside painted colourOf(x, y).
template <class ColourOf>
std::unique_ptr<Image> Painted(int width, int height, ImageRect area, ColourOf colourOf)
{
    auto image = std::make_unique<Image>();
    image->Create(width, height, DirectDraw::Instance().GetDepth(), true);
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x) {
            image->SetPixel(x, y, colourOf(x, y));
        }
    }
    return image;
}

// A picture in the screen format filled with one colour.
inline std::unique_ptr<Image> ScreenImage(int width, int height, Color color)
{
    return Painted(width, height, {0, 0, width - 1, height - 1}, [color](int, int) { return color; });
}

// An 8-bit picture whose pixels are palette indices index(x, y).
template <class IndexOf>
std::unique_ptr<Image> IndexedImage(int width, int height, const Color* palette, IndexOf indexOf)
{
    auto image = std::make_unique<Image>();
    image->Create(width, height, 8, true);
    if (palette) {
        image->SetPalette(palette);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image->Row(y)[x] = static_cast<uint8_t>(indexOf(x, y));
        }
    }
    return image;
}

// A draw at (x, y) with further flags and a scale.
inline DrawInfo Placed(int x, int y, uint32_t extraFlags = 0, float scale = 1.0f)
{
    DrawInfo info;
    info.flags = DI_DEST_POS | extraFlags | (scale != 1.0f ? DI_SCALE : 0);
    info.destX = x;
    info.destY = y;
    info.scale = scale;
    return info;
}

// A headless display of the chosen format, a fresh render engine and a log in a temp dir.
class ScreenTest : public testing::TestWithParam<ScreenCase> {
protected:
    void SetUp() override { Open(GetParam()); }

    void Open(const ScreenCase& screen)
    {
        Debug::Release();
        Debug::Instance().CreateLogFile((dir.Path() / "debug.txt").string());
        Singleton<DirectDraw>::Release();
        RenderEngine::Release();
        platform::EventPump::Release();
        platform::UseRgb555ForSixteenBits(screen.rgb555);
        platform::OverrideDesktopDepth(screen.depth);
        ASSERT_TRUE(DirectDraw::Instance().Create(nullptr, 1024, 768, screen.depth, false));
    }

    void TearDown() override
    {
        Singleton<DirectDraw>::Release();
        RenderEngine::Release();
        platform::UseRgb555ForSixteenBits(false);
        platform::OverrideDesktopDepth(0);
        Debug::Release();
    }

    std::string Log() const { return dir.Read("debug.txt"); }

    bool QuitPosted()
    {
        platform::Event event;
        while (platform::EventPump::Instance().Poll(event)) {
            if (event.type == platform::EventType::Quit) {
                return event.exitCode == -1;
            }
        }
        return false;
    }

    platform::PixelSurface& Target() { return *DirectDraw::Instance().GetRenderTarget(); }
    uint32_t At(int x, int y) { return Target().ReadPixel(x, y); }
    void FillTarget(Color color) { Target().Fill(nullptr, ScreenValue(color)); }

    // The value the screen format gives a colour (as pictures converted for the screen hold it).
    static uint32_t ScreenValue(Color color)
    {
        Image pixel;
        pixel.Create(1, 1, DirectDraw::Instance().GetDepth(), true);
        pixel.SetPixel(0, 0, color);
        uint32_t value = 0;
        std::memcpy(&value, pixel.GetData(), static_cast<size_t>(pixel.BytesPerPixel()));
        return value;
    }

    TempDir dir;
};

// 24-bit screens, for the few sprite paths that treat them apart.
class TwentyFourBitScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        Open(kScreen888);
        ASSERT_EQ(DirectDraw::Instance().GetDepth(), 24);
    }
};
