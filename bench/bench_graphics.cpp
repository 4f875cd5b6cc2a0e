// Speed of the software renderer: clears, copies, colour-keyed and scaled blits against SDL2's
// own software blitter on the same pixels, the blending sprites, presenting, and a typical
// frame of the playing screen. Every piece runs on 16-bit (5-6-5) and 32-bit screens.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/BenchStage.h"
#include "display/DirectDraw.h"
#include "images/BmpWriter.h"
#include "images/Image.h"
#include "platform/DisplayModes.h"
#include "platform/PixelFormat.h"
#include "platform/Window.h"
#include "render/RenderEngine.h"
#include "sprites/AlphaSprite.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/ShadowSprite.h"
#include "sprites/SpriteManager.h"
#include "sprites/SurfaceSprite.h"
#include "text/FontLoaderUtil.h"
#include "text/TextDisplay.h"

namespace {

constexpr int kSprites = 50;
constexpr int kSpriteWidth = 96;
constexpr int kSpriteHeight = 128;
constexpr int kScaledWidth = 72;   // 0.75 of the sprite
constexpr int kScaledHeight = 96;

// Positions spread over the frame, each sprite wholly inside it.
int SpriteX(int i)
{
    return (i * 149) % (DirectDraw::kFrameWidth - kSpriteWidth);
}

int SpriteY(int i)
{
    return (i * 97) % (DirectDraw::kFrameHeight - kSpriteHeight);
}

// A diamond filling half of its box: the other half is black, transparent.
bool InsideDiamond(int x, int y, int width, int height)
{
    return std::abs(2 * x - width + 1) * height + std::abs(2 * y - height + 1) * width < width * height;
}

Color Shade(int x, int y)
{
    return MakeColor(64 + (x * 2) % 190, 40 + (y * 3) % 200, 90 + (x + y) % 160);
}

std::unique_ptr<Image> Picture(int width, int height, bool diamond)
{
    auto image = std::make_unique<Image>();
    image->Create(width, height, DirectDraw::Instance().GetDepth(), true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!diamond || InsideDiamond(x, y, width, height)) {
                image->SetPixel(x, y, Shade(x, y));
            }
        }
    }
    return image;
}

std::unique_ptr<Image> AlphaRamp(int width, int height)
{
    auto alpha = std::make_unique<Image>();
    alpha->Create(width, height, 8, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            alpha->Row(y)[x] = InsideDiamond(x, y, width, height) ? static_cast<uint8_t>(128 + x) : 0;
        }
    }
    return alpha;
}

// An 8-bit strip of one frame: a diamond of palette colours, with an alpha strip that fades
// its edge (or is opaque inside) when alpha is asked for.
std::unique_ptr<AnimatedRLESprite> RleSprite(int width, int height, bool withAlpha, Color tint)
{
    std::array<Color, 256> palette{};
    for (int i = 1; i < 256; ++i) {
        palette[i] = MakeColor((ColorRed(tint) * i) >> 8, (ColorGreen(tint) * i) >> 8, (ColorBlue(tint) * i) >> 8) | 1;
    }
    Image strip;
    strip.Create(width, height, 8, true);
    strip.SetPalette(palette.data());
    Image alpha;
    alpha.Create(width, height, 8, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool inside = InsideDiamond(x, y, width, height);
            strip.Row(y)[x] = inside ? static_cast<uint8_t>(1 + (x + y) % 255) : 0;
            bool edge = inside && !InsideDiamond(x, y, width - 8, height - 8);
            alpha.Row(y)[x] = inside ? (edge ? 128 : 255) : 0;
        }
    }
    auto sprite = std::make_unique<AnimatedRLESprite>();
    sprite->Create(strip, withAlpha ? &alpha : nullptr, 1, true);
    return sprite;
}

std::unique_ptr<ShadowSprite> Shadow(int width, int height)
{
    auto mask = std::make_unique<Image>();
    mask->Create(width, height, 1, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mask->SetPixel(x, y, InsideDiamond(x, y, width, height) ? MakeColor(255, 255, 255) : 0);
        }
    }
    auto shadow = std::make_unique<ShadowSprite>();
    shadow->Create(std::move(mask), width, height);
    return shadow;
}

std::unique_ptr<SurfaceSprite> Surface(std::unique_ptr<Image> image, bool crop)
{
    int width = image->GetWidth();
    int height = image->GetHeight();
    auto sprite = std::make_unique<SurfaceSprite>();
    sprite->Create(std::move(image), width, height, 0, 0, crop);
    return sprite;
}

constexpr char kFontCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789:";
constexpr int kGlyphWidth = 7;
constexpr int kGlyphHeight = 12;

// A font picture of solid glyphs with a notch, one black column between them, written where
// the font loader looks for it; then the font is loaded for the current screen format.
bool LoadBenchFont()
{
    std::filesystem::path directory = std::filesystem::temp_directory_path() / "qm_bench_graphics";
    std::error_code error;
    std::filesystem::create_directories(directory / "data" / "fonts", error);
    std::filesystem::current_path(directory, error);
    if (error) {
        return false;
    }
    int glyphs = static_cast<int>(sizeof(kFontCharacters)) - 1;
    Image picture;
    picture.Create(glyphs * (kGlyphWidth + 1), kGlyphHeight, 24, true);
    for (int y = 0; y < kGlyphHeight; ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x) {
            bool ink = x % (kGlyphWidth + 1) != kGlyphWidth && !(y == kGlyphHeight / 2 && x % 3 == 0);
            std::memset(picture.Row(y) + x * 3, ink ? 0xF0 : 0, 3);
        }
    }
    TextDisplay::Release();
    SpriteManager::Instance().ReleaseAll();
    return BmpWriter::Instance().Write(picture, "data/fonts/bench.bmp") &&
           FontLoaderUtil::Instance().LoadFont("bench", 6, 1, kGlyphHeight, kFontCharacters) &&
           TextDisplay::Instance().SetFont("bench");
}

DrawInfo At(int x, int y)
{
    DrawInfo info;
    info.flags = DI_DEST_POS;
    info.destX = x;
    info.destY = y;
    return info;
}

// The display and every sprite of the benchmarks for one screen depth.
struct Stage {
    explicit Stage(int depth)
    {
        CreateBenchDisplay(depth);
        auto backgroundPicture = Picture(DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, false);
        auto figurePicture = Picture(kSpriteWidth, kSpriteHeight, true);
        sdlBackground = SdlCopy(*backgroundPicture);
        sdlFigure = SdlCopy(*figurePicture);
        SDL_SetColorKey(sdlFigure.get(), SDL_TRUE, 0);
        sdlTarget = SdlScreenSurface(DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, depth);
        background = Surface(std::move(backgroundPicture), false);
        figure = Surface(std::move(figurePicture), false);
        glass = std::make_unique<AlphaSprite>();
        glass->Create(Picture(kSpriteWidth, kSpriteHeight, false), AlphaRamp(kSpriteWidth, kSpriteHeight),
                      kSpriteWidth, kSpriteHeight, 0, 0, false);
        rleFigure = RleSprite(kSpriteWidth, kSpriteHeight, true, MakeColor(230, 180, 120));
        rleShadow = RleSprite(kSpriteWidth, kSpriteHeight / 3, true, MakeColor(8, 8, 8));
        item = RleSprite(48, 48, false, MakeColor(250, 220, 40));
        shadow = Shadow(kSpriteWidth, kSpriteHeight / 3);
        for (int i = 0; i < 10; ++i) {
            masks.push_back(Surface(Picture(160 + 8 * i, 200, true), true));
        }
        hasFont = LoadBenchFont();
    }

    platform::PixelSurface& Target() { return *DirectDraw::Instance().GetRenderTarget(); }

    SdlSurface sdlTarget;
    SdlSurface sdlBackground;
    SdlSurface sdlFigure;
    std::unique_ptr<SurfaceSprite> background;
    std::unique_ptr<SurfaceSprite> figure;
    std::unique_ptr<AlphaSprite> glass;
    std::unique_ptr<AnimatedRLESprite> rleFigure;
    std::unique_ptr<AnimatedRLESprite> rleShadow;
    std::unique_ptr<AnimatedRLESprite> item;
    std::unique_ptr<ShadowSprite> shadow;
    std::vector<std::unique_ptr<SurfaceSprite>> masks;
    bool hasFont = false;
};

// The frame's clear as the render engine does it: an empty frame flushed.
void Clear_Ours(benchmark::State& state)
{
    StageFor<Stage>(state);
    RenderEngine& engine = RenderEngine::Instance();
    engine.Clear();
    for (auto _ : state) {
        engine.Flush();
        benchmark::ClobberMemory();
    }
}

void Clear_SDL(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        SDL_FillRect(stage.sdlTarget.get(), nullptr, 0);
        benchmark::ClobberMemory();
    }
}

void BackgroundBlit_Ours(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    DrawInfo info = At(0, 0);
    info.flags |= DI_NO_COLORKEY;
    for (auto _ : state) {
        stage.background->DrawEx(info);
        benchmark::ClobberMemory();
    }
}

void BackgroundBlit_SDL(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    BlitBackgroundSdl(state, stage.sdlBackground.get(), stage.sdlTarget.get());
}

void ColorKeyBlit_Ours(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            stage.figure->DrawEx(At(SpriteX(i), SpriteY(i)));
        }
        benchmark::ClobberMemory();
    }
}

void ColorKeyBlit_SDL(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            SDL_Rect to{SpriteX(i), SpriteY(i), kSpriteWidth, kSpriteHeight};
            SDL_BlitSurface(stage.sdlFigure.get(), nullptr, stage.sdlTarget.get(), &to);
        }
        benchmark::ClobberMemory();
    }
}

void ScaledColorKeyBlit_Ours(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            DrawInfo info = At(SpriteX(i), SpriteY(i));
            info.flags |= DI_DEST_SIZE;
            info.destWidth = kScaledWidth;
            info.destHeight = kScaledHeight;
            stage.figure->DrawEx(info);
        }
        benchmark::ClobberMemory();
    }
}

void ScaledColorKeyBlit_SDL(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            SDL_Rect to{SpriteX(i), SpriteY(i), kScaledWidth, kScaledHeight};
            SDL_BlitScaled(stage.sdlFigure.get(), nullptr, stage.sdlTarget.get(), &to);
        }
        benchmark::ClobberMemory();
    }
}

void AlphaSprites50(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            stage.glass->DrawEx(At(SpriteX(i), SpriteY(i)));
        }
        benchmark::ClobberMemory();
    }
}

void RleFrames50(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    float scale = static_cast<float>(state.range(1)) / 100.0f;
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            DrawInfo info = At(SpriteX(i), SpriteY(i));
            info.scale = scale;
            stage.rleFigure->DrawEx(info);
        }
        benchmark::ClobberMemory();
    }
}

void Shadows50(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            stage.shadow->DrawEx(At(SpriteX(i), SpriteY(i)));
        }
        benchmark::ClobberMemory();
    }
}

// The playing screen: the board as background, the masks of trees and buildings, twelve
// figures with their shadows at the board's scales, ten items and a line of text; queued,
// sorted and drawn.
void MainLevelFrame(benchmark::State& state)
{
    Stage& stage = StageFor<Stage>(state);
    if (!stage.hasFont) {
        state.SkipWithError("no font");
        return;
    }
    RenderEngine& engine = RenderEngine::Instance();
    TextDisplay& text = TextDisplay::Instance();
    for (auto _ : state) {
        engine.Clear();
        stage.background->Draw(0, 0, 0, -1.0f);
        for (int i = 0; i < 10; ++i) {
            stage.masks[i]->Draw(SpriteX(i * 5), SpriteY(i * 5) + 60, 0, 0.1f * static_cast<float>(i));
        }
        for (int i = 0; i < 12; ++i) {
            float row = static_cast<float>(i) / 11.0f;
            float scale = 0.6f + 0.6f * row;
            int x = 60 + i * 80;
            int y = 250 + static_cast<int>(row * 480.0f);
            stage.rleShadow->DrawAnchored(x + 5, y - 5, 0, row - 0.001f, scale * 0.5f);
            stage.rleFigure->DrawAnchored(x, y, 0, row, scale);
        }
        for (int i = 0; i < 10; ++i) {
            stage.item->DrawAnchored(100 + i * 90, 300 + (i * 37) % 400, 0, 0.05f * static_cast<float>(i), 1.0f);
        }
        text.DrawText(40, 20, "RUNDE 3  ZEIT 1:45  PUNKTE 12450  FENNO 37");
        engine.Flush();
        benchmark::ClobberMemory();
    }
}

// Frame to texture into an 800 x 600 window (dummy video driver under test runs).
void Present(benchmark::State& state)
{
    int depth = static_cast<int>(state.range(0));
    platform::Window window;
    if (!window.InitVideo("bench_graphics") || !window.Create("bench_graphics", 800, 600, false)) {
        state.SkipWithError("no window");
        return;
    }
    Singleton<DirectDraw>::Release();
    platform::OverrideDesktopDepth(depth);
    if (!DirectDraw::Instance().Create(&window, 800, 600, depth, false)) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        DirectDraw::Instance().Present();
    }
    Singleton<DirectDraw>::Release();
}

}  // namespace

BENCHMARK(Clear_Ours)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(Clear_SDL)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BackgroundBlit_Ours)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BackgroundBlit_SDL)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(ColorKeyBlit_Ours)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(ColorKeyBlit_SDL)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScaledColorKeyBlit_Ours)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScaledColorKeyBlit_SDL)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(AlphaSprites50)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(RleFrames50)->Args({16, 100})->Args({16, 75})->Args({32, 100})->Args({32, 75})->Unit(benchmark::kMicrosecond);
BENCHMARK(Shadows50)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(MainLevelFrame)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(Present)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
