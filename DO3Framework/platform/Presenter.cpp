#include "platform/Presenter.h"

#include <SDL.h>

#include <vector>

#include "platform/ImGuiLayer.h"
#include "platform/PixelRows.h"
#include "platform/PixelSurface.h"
#include "platform/PlatformResult.h"
#include "platform/Viewport.h"

namespace platform {

namespace {

bool LosesPicture(const SDL_WindowEvent& event)
{
    return event.event == SDL_WINDOWEVENT_EXPOSED || event.event == SDL_WINDOWEVENT_SIZE_CHANGED;
}

// Renderer resets lose every texture and, on the original platform, every surface. A window
// that was uncovered or resized must be shown its frame again.
int WatchRendererEvents(void* data, SDL_Event* event)
{
    auto* presenter = static_cast<Presenter*>(data);
    if (event->type == SDL_RENDER_TARGETS_RESET || event->type == SDL_RENDER_DEVICE_RESET) {
        PixelSurface::MarkAllLost();
        presenter->RendererWasReset();
    } else if (event->type == SDL_WINDOWEVENT && LosesPicture(event->window)) {
        presenter->ForgetPicture(event->window.windowID);
    }
    return 0;
}

// A window gets SDL's software renderer, drawing straight into the window, without the
// texture framebuffer that would load OpenGL; our own scaling of the frame into it is cheap at
// a window's size. Full screen asks for the accelerated renderer, which scales for free.
SDL_Renderer* CreateRenderer(SDL_Window* window, bool fullScreen)
{
    if (fullScreen) {
        return SDL_CreateRenderer(window, -1, 0);
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

uint32_t TextureFormatFor(const PixelFormat& format)
{
    if (format == PixelFormat::Rgb565()) {
        return SDL_PIXELFORMAT_RGB565;
    }
    if (format == PixelFormat::Rgb555()) {
        return SDL_PIXELFORMAT_RGB555;
    }
    return format.bitsPerPixel == 24 ? SDL_PIXELFORMAT_BGR24 : SDL_PIXELFORMAT_RGB888;
}

// Widens a channel of `bits` bits to 8 bits, filling the low bits from the high ones.
uint32_t Widen(uint32_t value, int bits)
{
    return (value << (8 - bits)) | (value >> (2 * bits - 8));
}

int LowestBit(uint32_t mask)
{
    int shift = 0;
    while (shift < 31 && ((mask >> shift) & 1) == 0) {
        ++shift;
    }
    return shift;
}

int BitCount(uint32_t mask)
{
    return __builtin_popcount(mask);
}

uint32_t ChannelTo8(uint32_t pixel, uint32_t mask)
{
    return Widen((pixel & mask) >> LowestBit(mask), BitCount(mask));
}

// Every 16-bit pixel value as 0xFFRRGGBB.
void Fill16BitTable(const PixelFormat& format, std::vector<uint32_t>& table)
{
    table.resize(65536);
    for (uint32_t pixel = 0; pixel < 65536; ++pixel) {
        table[pixel] = 0xFF000000u | ChannelTo8(pixel, format.redMask) << 16 |
                       ChannelTo8(pixel, format.greenMask) << 8 | ChannelTo8(pixel, format.blueMask);
    }
}

void ScaleRow16(uint32_t* out, const uint8_t* row, int count, uint32_t u, uint32_t stepU,
                const std::vector<uint32_t>& table)
{
    const uint16_t* in = reinterpret_cast<const uint16_t*>(row);
    for (int i = 0; i < count; ++i, u += stepU) {
        out[i] = table[in[u >> 16]];
    }
}

void ScaleRow24(uint32_t* out, const uint8_t* row, int count, uint32_t u, uint32_t stepU)
{
    for (int i = 0; i < count; ++i, u += stepU) {
        const uint8_t* pixel = row + (u >> 16) * 3;
        out[i] = 0xFF000000u | uint32_t{pixel[2]} << 16 | uint32_t{pixel[1]} << 8 | pixel[0];
    }
}

void ScaleRow32(uint32_t* out, const uint8_t* row, int count, uint32_t u, uint32_t stepU)
{
    const uint32_t* in = reinterpret_cast<const uint32_t*>(row);
    for (int i = 0; i < count; ++i, u += stepU) {
        out[i] = 0xFF000000u | in[u >> 16];
    }
}

}  // namespace

std::unique_ptr<Presenter> Presenter::Create(SDL_Window* window, bool fullScreen)
{
    if (!window) {
        return nullptr;
    }
    // A window has at most one renderer; one made by someone else is borrowed.
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    bool ownsRenderer = renderer == nullptr;
    if (ownsRenderer) {
        renderer = CreateRenderer(window, fullScreen);
    }
    if (!renderer) {
        return nullptr;
    }
    SDL_RendererInfo info;
    bool software = SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    std::unique_ptr<Presenter> presenter(new Presenter(window, renderer, ownsRenderer, software));
    presenter->SetFullScreen(fullScreen);
    return presenter;
}

Presenter::Presenter(SDL_Window* presentWindow, SDL_Renderer* presentRenderer, bool ownRenderer, bool isSoftware)
    : window(presentWindow), renderer(presentRenderer), ownsRenderer(ownRenderer), software(isSoftware)
{
    SDL_AddEventWatch(&WatchRendererEvents, this);
}

Presenter::~Presenter()
{
    SDL_DelEventWatch(&WatchRendererEvents, this);
    if (ImGuiLayer::Exists()) {
        ImGuiLayer::Instance().Detach(renderer);
    }
    ForgetTexture();
    if (ownsRenderer) {
        SDL_DestroyRenderer(renderer);
    }
}

void Presenter::ForgetTexture()
{
    if (texture) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
}

void Presenter::RendererWasReset()
{
    ForgetTexture();
    if (ImGuiLayer::Exists()) {
        ImGuiLayer::Instance().Detach(renderer);
        ImGuiLayer::Instance().Attach(window, renderer, fullScreen);
    }
}

void Presenter::ForgetPicture(uint32_t windowId)
{
    if (windowId == SDL_GetWindowID(window)) {
        pictureShown = false;
        FitViewportToWindow();
    }
}

// The mouse maps through the viewport; a resized window must not wait for its next frame.
void Presenter::FitViewportToWindow()
{
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    if (frameWidth > 0 && frameHeight > 0) {
        SetCurrentViewport(FitViewport(windowWidth, windowHeight, frameWidth, frameHeight));
    }
}

bool Presenter::NeedsRepaint() const
{
    return !texture || !pictureShown;
}

// The editor layer learns of the window here; it stays without an ImGui context until the
// editor first shows it.
void Presenter::SetFullScreen(bool wantFullScreen)
{
    SDL_SetWindowFullscreen(window, wantFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    fullScreen = wantFullScreen;
    FitViewportToWindow();
    ImGuiLayer::Instance().Attach(window, renderer, fullScreen);
}

bool Presenter::PrepareTexture(uint32_t format, int width, int height)
{
    if (texture && format == textureFormat && width == textureWidth && height == textureHeight) {
        return true;
    }
    ForgetTexture();
    texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture) {
        return false;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    textureFormat = format;
    textureWidth = width;
    textureHeight = height;
    return true;
}

int32_t Presenter::Present(const PixelSurface& frame)
{
    if (frame.IsLost()) {
        return kResultSurfaceLost;
    }
    frameWidth = frame.Width();
    frameHeight = frame.Height();
    int windowWidth = 0;
    int windowHeight = 0;
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) {
        return kResultGeneric;
    }
    SetCurrentViewport(FitViewport(windowWidth, windowHeight, frame.Width(), frame.Height()));
    Viewport target = FitViewport(outputWidth, outputHeight, frame.Width(), frame.Height());
    if (target.width <= 0 || target.height <= 0) {
        return kResultOk;
    }
    int32_t result = software ? UploadScaled(frame, target.width, target.height) : UploadUnscaled(frame);
    if (result != kResultOk) {
        return result;
    }
    SDL_Rect destination{target.x, target.y, target.width, target.height};
    // Only bars beside the frame need the clear; a frame over the whole output paints every pixel.
    if (target.width < outputWidth || target.height < outputHeight) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    if (SDL_RenderCopy(renderer, texture, nullptr, &destination) != 0) {
        return kResultGeneric;
    }
    if (ImGuiLayer::Exists()) {
        ImGuiLayer::Instance().DrawOver(renderer);
    }
    SDL_RenderPresent(renderer);
    pictureShown = true;
    return kResultOk;
}

int32_t Presenter::UploadUnscaled(const PixelSurface& frame)
{
    if (!PrepareTexture(TextureFormatFor(frame.Format()), frame.Width(), frame.Height())) {
        return kResultOutOfMemory;
    }
    return SDL_UpdateTexture(texture, nullptr, frame.Row(0), frame.Pitch()) == 0 ? kResultOk : kResultGeneric;
}

int32_t Presenter::UploadScaled(const PixelSurface& frame, int width, int height)
{
    // The window's own 32-bit format makes the renderer's copy a plain one.
    uint32_t windowFormat = SDL_GetWindowPixelFormat(window);
    uint32_t format32 = windowFormat == SDL_PIXELFORMAT_RGB888 ? windowFormat : uint32_t{SDL_PIXELFORMAT_ARGB8888};
    if (!PrepareTexture(format32, width, height)) {
        return kResultOutOfMemory;
    }
    const PixelFormat& format = frame.Format();
    if (format.bitsPerPixel == 16 && !(format == tableFormat)) {
        Fill16BitTable(format, colorTable);
        tableFormat = format;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) {
        return kResultGeneric;
    }
    PixelRect to{0, 0, width, height};
    ScaleSteps steps = MakeScaleSteps(to, frame.Bounds());
    for (int y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch);
        const uint8_t* row = frame.Row(static_cast<int>((steps.startV + y * steps.stepV) >> 16));
        if (format.bitsPerPixel == 16) {
            ScaleRow16(out, row, width, steps.startU, steps.stepU, colorTable);
        } else if (format.bitsPerPixel == 24) {
            ScaleRow24(out, row, width, steps.startU, steps.stepU);
        } else {
            ScaleRow32(out, row, width, steps.startU, steps.stepU);
        }
    }
    SDL_UnlockTexture(texture);
    return kResultOk;
}

}  // namespace platform
