#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "display/ScreenFormat.h"
#include "platform/DisplayModes.h"
#include "platform/PixelSurface.h"
#include "util/Singleton.h"

namespace platform {
class Presenter;
class Window;
}  // namespace platform

// The display: opens the frame buffer in a window or full screen, owns the buffers every frame
// is drawn into, knows the screen's pixel format, presents finished frames and restores its
// buffers when the platform loses them. Every frame is drawn into a 1024 x 768 render target
// whatever the mode; full-screen modes other than 1024 x 768 draw into a pre-render buffer that
// is scaled into the mode's back buffer. Fetch the render target each frame: SetMode
// replaces the buffers.
class DirectDraw : public Singleton<DirectDraw> {
public:
    static constexpr int kFrameWidth = 1024;
    static constexpr int kFrameHeight = 768;
    // Working memory of run-length sprite drawing: 800 x 600 x 3 bytes.
    static constexpr size_t kScratchBytes = 1440000;

    ~DirectDraw() override;

    // window may be null (headless: buffers only, Present does nothing visible).
    bool Create(platform::Window* window, int width, int height, int depth, bool fullScreen);
    bool CreateSurfaces();
    bool ReleaseSurfaces();
    bool Release();
    // A mode that cannot be set leaves the previous one (false and a log line).
    bool SetMode(int width, int height, int depth);
    // Switches between window and full screen while the game runs, keeping the pixel format;
    // false (and a log line) if the other mode cannot be had, which leaves the present one.
    bool SetFullScreen(bool fullScreen);
    void ClearSurface(platform::PixelSurface* surface);
    void Present();
    // The window no longer shows the last presented frame (it was uncovered or resized, or
    // nothing was presented yet): a frame that did not change must still be presented.
    bool NeedsRepaint() const;
    void RestoreSurfaces();
    void FlipToGDI();
    void UpdateTransition();

    // Starts a wipe from the frame drawn next to the frames after it.
    void StartTransition(bool reverse);
    void SetTransitionPosition(float position) { transitionPosition = position; }
    void StopTransition() { transitionActive = false; }
    bool IsTransitionUnderWay() const { return transitionCapture || transitionActive; }
    // Changes whenever the buffers were made anew or restored, and so lost what they held.
    uint32_t GetBufferGeneration() const { return bufferGeneration; }

    // Writes the render target as a 24-bit BMP on disk; false (and a log line) on failure.
    bool WriteSnapshot(const char* fileName);

    // Whoever meets a lost surface reports it here. The sprite manager installs the handler
    // that raises its restore flag; without one the display restores its own buffers before
    // the next present.
    void ReportLostSurface();
    void SetLostSurfaceHandler(std::function<void()> handler) { lostSurfaceHandler = std::move(handler); }

    bool IsInitialised() const { return initialised; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetDepth() const { return depth; }
    int GetDesktopDepth() const { return desktopDepth; }
    bool IsFullScreen() const { return fullScreen; }
    bool UsesPreRender() const { return usePreRender; }
    const std::vector<platform::DisplayMode>& GetModes() const { return modes; }

    const ScreenFormat& GetScreenFormat() const { return format; }
    // Images and converters work in this format; Create sets it from the frame buffer, and code
    // that runs without a display (tests, tools) may set it directly.
    void SetScreenFormat(const ScreenFormat& screenFormat) { format = screenFormat; }
    int GetRedShift() const { return format.redShift; }
    int GetGreenShift() const { return format.greenShift; }
    int GetBlueShift() const { return format.blueShift; }
    uint32_t GetRedMask() const { return format.redMask; }
    uint32_t GetGreenMask() const { return format.greenMask; }
    uint32_t GetBlueMask() const { return format.blueMask; }
    const int* GetColorIndex() const { return format.colorIndex; }

    platform::PixelSurface* GetPrimary() { return primary.get(); }
    platform::PixelSurface* GetBackBuffer() { return backBuffer.get(); }
    platform::PixelSurface* GetFadeBuffer() { return fadeBuffer.get(); }
    platform::PixelSurface* GetPreRenderBuffer() { return preRenderBuffer.get(); }
    platform::PixelSurface* GetRenderTarget() { return usePreRender ? preRenderBuffer.get() : backBuffer.get(); }
    // Creates an off-screen surface in the screen's pixel format (sprites use it).
    std::unique_ptr<platform::PixelSurface> CreateSurface(int surfaceWidth, int surfaceHeight) const;

    // 360,000 32-bit values; null while the surfaces are released.
    uint32_t* GetScratchBuffer() { return scratch.empty() ? nullptr : scratch.data(); }
    size_t GetScratchPixels() const { return scratch.size(); }

private:
    friend class Singleton<DirectDraw>;
    DirectDraw();

    void ListModes();
    bool ChooseFullScreenMode();
    // The listed mode, or the first listed replacement; none if no mode is listed.
    std::optional<platform::DisplayMode> FullScreenModeFor(const platform::DisplayMode& wanted) const;
    void ShowIn(bool fullScreen);
    bool CreateWindowedSurfaces();
    bool CreateFullScreenSurfaces();
    bool ChangeMode(const platform::DisplayMode& mode);
    std::unique_ptr<platform::PixelSurface> CreateBuffer(int bufferWidth, int bufferHeight, const char* failure) const;
    void ComputeColorMasks();
    void CopyFadeColumns(int from, int to);
    bool CheckBlit(int32_t result, int line);

    bool initialised = false;
    ScreenFormat format;
    platform::Window* window = nullptr;
    bool fullScreen = false;
    int width = 800;
    int height = 600;
    int depth = 16;
    int desktopDepth = 32;
    // The mode size asked for (full screen takes it, a window shows the frame at any size).
    platform::DisplayMode requestedSize{800, 600, 0};
    std::vector<platform::DisplayMode> modes;
    std::unique_ptr<platform::Presenter> presenter;
    std::unique_ptr<platform::PixelSurface> primary;
    std::unique_ptr<platform::PixelSurface> backBuffer;
    std::unique_ptr<platform::PixelSurface> fadeBuffer;
    std::unique_ptr<platform::PixelSurface> preRenderBuffer;
    bool usePreRender = false;
    bool transitionCapture = false;
    bool transitionActive = false;
    bool transitionReverse = false;
    float transitionPosition = 0.0f;
    bool ownRestorePending = false;
    uint32_t bufferGeneration = 0;
    std::function<void()> lostSurfaceHandler;
    std::vector<uint32_t> scratch;
};
