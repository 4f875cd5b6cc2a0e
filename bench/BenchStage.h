#pragma once

// What the graphics benchmark programs share: the frame buffer in a chosen depth, one stage of
// pictures per depth, and SDL's own full-frame copy of a background as the yardstick.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include <cstring>
#include <memory>

#include "display/DirectDraw.h"
#include "images/Image.h"
#include "platform/DisplayModes.h"
#include "platform/PixelFormat.h"

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurface = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

// A frame-sized SDL surface in the screen format of that depth (5-6-5 or 32-bit).
inline SdlSurface SdlScreenSurface(int width, int height, int depth)
{
    uint32_t format = depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_XRGB8888;
    return SdlSurface(SDL_CreateRGBSurfaceWithFormat(0, width, height, depth, format));
}

// An SDL surface of the screen format holding the same pixels as an image.
inline SdlSurface SdlCopy(const Image& image)
{
    SdlSurface surface = SdlScreenSurface(image.GetWidth(), image.GetHeight(), image.GetDepth());
    for (int y = 0; y < image.GetHeight(); ++y) {
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch, image.Row(y),
                    static_cast<size_t>(image.RowBytes()));
    }
    return surface;
}

inline void BlitBackgroundSdl(benchmark::State& state, SDL_Surface* background, SDL_Surface* target)
{
    for (auto _ : state) {
        SDL_BlitSurface(background, nullptr, target, nullptr);
        benchmark::ClobberMemory();
    }
}

// A fresh headless frame buffer of the full frame in that depth.
inline bool CreateBenchDisplay(int depth)
{
    Singleton<DirectDraw>::Release();
    platform::UseRgb555ForSixteenBits(false);
    platform::OverrideDesktopDepth(depth);
    return DirectDraw::Instance().Create(nullptr, DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, depth, false);
}

// One stage at a time, made for the depth in the benchmark's first argument: a change of depth
// rebuilds it. The first stage is made before its holder is registered for destruction, so it
// dies before the surfaces' own bookkeeping does.
template <class Stage>
Stage& StageFor(const benchmark::State& state)
{
    int depth = static_cast<int>(state.range(0));
    static std::unique_ptr<Stage> stage = std::make_unique<Stage>(depth);
    static int stageDepth = depth;
    if (stageDepth != depth) {
        stage.reset();
        stage = std::make_unique<Stage>(depth);
        stageDepth = depth;
    }
    return *stage;
}
