#include "display/DirectDraw.h"

#include <algorithm>
#include <optional>

#include "app/Debug.h"
#include "images/BmpWriter.h"
#include "images/Image.h"
#include "platform/EventPump.h"
#include "platform/PlatformResult.h"
#include "platform/Presenter.h"
#include "platform/Window.h"

namespace {

constexpr const char* kErrorSource = "DirectDraw";
constexpr float kWipeWidth = 1056.0f;  // the frame plus 32 columns, so the wipe ends before 1.0
constexpr const char* kNoModeMessage =
    "Das Spiel l\xE4uft leider nicht auf diesem Rechner, da es eine Aufl\xF6sung von 800x600 und eine "
    "Farbtiefe von 16 Bit voraussetzt.";

bool ListsMode(const std::vector<platform::DisplayMode>& modes, const platform::DisplayMode& mode)
{
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

}  // namespace

DirectDraw::DirectDraw() = default;
DirectDraw::~DirectDraw() = default;

bool DirectDraw::Create(platform::Window* mainWindow, int modeWidth, int modeHeight, int modeDepth,
                        bool useFullScreen)
{
    window = mainWindow;
    requestedSize = {modeWidth, modeHeight, 0};
    width = modeWidth;
    height = modeHeight;
    depth = modeDepth;
    fullScreen = useFullScreen;
    desktopDepth = platform::DesktopDepth();
    if (!fullScreen) {
        depth = desktopDepth;
    }
    ListModes();
    if (fullScreen && !ChooseFullScreenMode()) {
        return false;
    }
    if (window) {
        presenter = platform::Presenter::Create(window->Handle(), fullScreen);
        if (!presenter) {
            Debug::Instance().Fatal("DirectDrawCreate FAILED");
            return false;
        }
    }
    if (!CreateSurfaces()) {
        return false;
    }
    initialised = true;
    return true;
}

void DirectDraw::ListModes()
{
    Debug& debug = Debug::Instance();
    modes.clear();
    debug.Log("Available Displaymodes:\n");
    for (const platform::DisplayMode& mode : platform::EnumerateDisplayModes()) {
        bool sizeTaken = (mode.width == 1024 && mode.height == 768) || (mode.width == 800 && mode.height == 600);
        bool depthTaken = mode.depth == 16 || mode.depth == 24 || mode.depth == 32;
        if (sizeTaken && depthTaken) {
            modes.push_back(mode);
            debug.Log("  %d x %d (%d)\n", mode.width, mode.height, mode.depth);
        }
    }
    debug.Log("\n");
}

bool DirectDraw::ChooseFullScreenMode()
{
    std::optional<platform::DisplayMode> mode = FullScreenModeFor({width, height, depth});
    if (!mode) {
        Debug::Instance().Fatal("%s", kNoModeMessage);
        return false;
    }
    width = mode->width;
    height = mode->height;
    depth = mode->depth;
    return true;
}

std::optional<platform::DisplayMode> DirectDraw::FullScreenModeFor(const platform::DisplayMode& wanted) const
{
    if (ListsMode(modes, wanted)) {
        return wanted;
    }
    const platform::DisplayMode replacements[] = {{1024, 768, 32}, {1024, 768, 24}, {1024, 768, 16},
                                                  {800, 600, 32},  {800, 600, 24},  {800, 600, 16}};
    for (const platform::DisplayMode& mode : replacements) {
        if (ListsMode(modes, mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

std::unique_ptr<platform::PixelSurface> DirectDraw::CreateSurface(int surfaceWidth, int surfaceHeight) const
{
    return platform::PixelSurface::Create(surfaceWidth, surfaceHeight, platform::ScreenFormatForDepth(depth));
}

std::unique_ptr<platform::PixelSurface> DirectDraw::CreateBuffer(int bufferWidth, int bufferHeight,
                                                                 const char* failure) const
{
    auto surface = CreateSurface(bufferWidth, bufferHeight);
    if (!surface) {
        Debug::Instance().Fatal("%s", failure);
    }
    return surface;
}

bool DirectDraw::CreateSurfaces()
{
    ++bufferGeneration;
    usePreRender = false;
    bool created = fullScreen ? CreateFullScreenSurfaces() : CreateWindowedSurfaces();
    if (!created) {
        return false;
    }
    fadeBuffer = CreateBuffer(kFrameWidth, kFrameHeight, "CreateSurface (fadeBackbuffer) FAILED");
    if (!fadeBuffer) {
        return false;
    }
    for (platform::PixelSurface* surface : {primary.get(), backBuffer.get(), fadeBuffer.get(), preRenderBuffer.get()}) {
        ClearSurface(surface);
    }
    ComputeColorMasks();
    scratch.assign(kScratchBytes / sizeof(uint32_t), 0);
    return true;
}

// The window shows the whole 1024 x 768 back buffer, scaled by the presenter.
bool DirectDraw::CreateWindowedSurfaces()
{
    primary = CreateBuffer(kFrameWidth, kFrameHeight, "CreateSurface (primary) FAILED");
    if (!primary) {
        return false;
    }
    backBuffer = CreateBuffer(kFrameWidth, kFrameHeight, "CreateSurface (backbuffer) FAILED");
    return backBuffer != nullptr;
}

// The back buffer has the mode's size; other sizes than the frame's draw into a pre-render buffer.
bool DirectDraw::CreateFullScreenSurfaces()
{
    primary = CreateBuffer(width, height, "CreateSurface (primary) FAILED");
    if (!primary) {
        return false;
    }
    backBuffer = CreateBuffer(width, height, "GetAttachedSurface FAILED");
    if (!backBuffer) {
        return false;
    }
    if (width != kFrameWidth || height != kFrameHeight) {
        preRenderBuffer = CreateBuffer(kFrameWidth, kFrameHeight, "CreateSurface (PreRenderBuffer) FAILED");
        if (!preRenderBuffer) {
            return false;
        }
        usePreRender = true;
    }
    return true;
}

void DirectDraw::ComputeColorMasks()
{
    platform::LockedPixels locked;
    if (backBuffer->Lock(locked) != platform::kResultOk || backBuffer->Unlock() != platform::kResultOk) {
        Debug::Instance().Error("Failed to compute Color Masks.\n");
        platform::EventPump::Instance().PostQuit(1);
        return;
    }
    const platform::PixelFormat& pixelFormat = locked.format;
    if (!ScreenFormat::FromMasks(depth, pixelFormat.redMask, pixelFormat.greenMask, pixelFormat.blueMask, format)) {
        return;
    }
    Debug& debug = Debug::Instance();
    debug.Log("color shift: %d %d %d\n", format.redShift, format.greenShift, format.blueShift);
    debug.Log("color mask: %x %x %x\n", format.redMask, format.greenMask, format.blueMask);
    debug.Log("color indices: %d %d %d %d\n", format.colorIndex[0], format.colorIndex[1], format.colorIndex[2],
              format.colorIndex[3]);
}

bool DirectDraw::ReleaseSurfaces()
{
    Debug& debug = Debug::Instance();
    scratch.clear();
    scratch.shrink_to_fit();
    if (preRenderBuffer) {
        debug.Log("Releasing Pre-Render Buffer.\n");
        preRenderBuffer.reset();
    }
    usePreRender = false;
    if (fadeBuffer) {
        debug.Log("Releasing FadeBuffer.\n");
        fadeBuffer.reset();
    }
    if (backBuffer) {
        debug.Log("Releasing BackBuffer.\n");
        backBuffer.reset();
    }
    if (primary) {
        debug.Log("Releasing Primary.\n");
        primary.reset();
    }
    return true;
}

bool DirectDraw::Release()
{
    initialised = false;
    ReleaseSurfaces();
    Debug::Instance().Log("Releasing DD2.\n");
    presenter.reset();
    Debug::Instance().Log("Releasing DD.\n");
    return true;
}

bool DirectDraw::SetMode(int modeWidth, int modeHeight, int modeDepth)
{
    if (modeWidth == width && modeHeight == height && modeDepth == depth) {
        return true;
    }
    if (modeDepth != depth) {
        // Every sprite surface holds pixels of the old format and must be rebuilt.
        platform::PixelSurface::MarkAllLost();
        ReportLostSurface();
    }
    platform::DisplayMode previous{width, height, depth};
    if (ChangeMode({modeWidth, modeHeight, modeDepth})) {
        requestedSize = {modeWidth, modeHeight, 0};
        return true;
    }
    Debug::Instance().Error("DirectDraw::SetMode: %d x %d (%d) failed, back to %d x %d (%d).\n", modeWidth,
                            modeHeight, modeDepth, previous.width, previous.height, previous.depth);
    ChangeMode(previous);
    return false;
}

// The pixel format stays, so every sprite keeps its pixels and only the display's own buffers
// are made anew; the captured frame of a wipe under way is kept for the rest of the wipe.
bool DirectDraw::SetFullScreen(bool wantFullScreen)
{
    if (!initialised || wantFullScreen == fullScreen) {
        return initialised;
    }
    platform::DisplayMode previous{width, height, depth};
    platform::DisplayMode wanted{requestedSize.width, requestedSize.height, depth};
    std::optional<platform::DisplayMode> mode = wantFullScreen ? FullScreenModeFor(wanted) : wanted;
    if (!mode || mode->depth != depth) {
        Debug::Instance().Error("DirectDraw::SetFullScreen: no full-screen mode of %d x %d (%d).\n", wanted.width,
                                wanted.height, wanted.depth);
        return false;
    }
    Debug::Instance().Log(wantFullScreen ? "Switching to full screen.\n" : "Switching to a window.\n");
    ShowIn(wantFullScreen);
    std::unique_ptr<platform::PixelSurface> wipeFrame = std::move(fadeBuffer);
    if (ChangeMode(*mode)) {
        fadeBuffer = std::move(wipeFrame);
        return true;
    }
    Debug::Instance().Error("DirectDraw::SetFullScreen: no buffers for %d x %d (%d), staying in the previous mode.\n",
                            mode->width, mode->height, mode->depth);
    ShowIn(!wantFullScreen);
    ChangeMode(previous);
    return false;
}

void DirectDraw::ShowIn(bool inFullScreen)
{
    fullScreen = inFullScreen;
    if (window) {
        window->SetFullScreen(fullScreen);
    }
    if (presenter) {
        presenter->SetFullScreen(fullScreen);
    }
}

// A mode whose buffers cannot all be created keeps none of them.
bool DirectDraw::ChangeMode(const platform::DisplayMode& mode)
{
    width = mode.width;
    height = mode.height;
    depth = mode.depth;
    ReleaseSurfaces();
    if (CreateSurfaces()) {
        return true;
    }
    ReleaseSurfaces();
    return false;
}

bool DirectDraw::CheckBlit(int32_t result, int line)
{
    if (result == platform::kResultSurfaceLost) {
        ReportLostSurface();
        return false;
    }
    return !Debug::Instance().CheckDirectXResult(result, kErrorSource, line);
}

void DirectDraw::ClearSurface(platform::PixelSurface* surface)
{
    if (surface) {
        CheckBlit(surface->Fill(nullptr, 0), __LINE__);
    }
}

void DirectDraw::ReportLostSurface()
{
    if (lostSurfaceHandler) {
        lostSurfaceHandler();
    } else {
        ownRestorePending = true;
    }
}

void DirectDraw::RestoreSurfaces()
{
    ++bufferGeneration;
    for (platform::PixelSurface* surface : {primary.get(), backBuffer.get(), fadeBuffer.get(), preRenderBuffer.get()}) {
        if (surface && surface->IsLost()) {
            Debug::Instance().CheckDirectXResult(surface->Restore(), kErrorSource, __LINE__);
        }
    }
}

void DirectDraw::Present()
{
    // Without a back buffer (no mode could be set) there is nothing to show.
    if (!initialised || !backBuffer) {
        return;
    }
    if (ownRestorePending) {
        ownRestorePending = false;
        RestoreSurfaces();
    }
    if (usePreRender && !CheckBlit(backBuffer->StretchBlit(nullptr, *preRenderBuffer, nullptr, platform::kBlitOpaque),
                                   __LINE__)) {
        return;
    }
    if (presenter) {
        CheckBlit(presenter->Present(*backBuffer), __LINE__);
    }
}

bool DirectDraw::NeedsRepaint() const
{
    return presenter && presenter->NeedsRepaint();
}

// The full-screen window covers the desktop without changing its mode, so the desktop is
// visible whenever the window is; there is nothing to flip back.
void DirectDraw::FlipToGDI()
{
}

void DirectDraw::StartTransition(bool reverse)
{
    transitionCapture = true;
    transitionActive = true;
    transitionReverse = reverse;
    transitionPosition = 0.0f;
}

void DirectDraw::UpdateTransition()
{
    platform::PixelSurface* target = GetRenderTarget();
    if (!target || !fadeBuffer) {
        return;
    }
    if (transitionCapture) {
        transitionCapture = false;
        CheckBlit(fadeBuffer->Blit(0, 0, *target, nullptr, platform::kBlitOpaque), __LINE__);
    } else if (transitionActive) {
        int offset = static_cast<int>(transitionPosition * kWipeWidth);
        if (transitionReverse) {
            CopyFadeColumns(0, kFrameWidth - offset);
        } else {
            CopyFadeColumns(offset, kFrameWidth);
        }
    }
}

// Puts the captured old frame's columns from..to back over the new frame.
void DirectDraw::CopyFadeColumns(int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, kFrameWidth);
    if (from >= to) {
        return;
    }
    platform::PixelRect columns{from, 0, to, kFrameHeight};
    CheckBlit(GetRenderTarget()->Blit(from, 0, *fadeBuffer, &columns, platform::kBlitOpaque), __LINE__);
}

bool DirectDraw::WriteSnapshot(const char* fileName)
{
    platform::PixelSurface* target = GetRenderTarget();
    if (!target || target->IsLost()) {
        Debug::Instance().Error("DirectDraw::WriteSnapshot: no render target for <%s>\n", fileName);
        return false;
    }
    Image image;
    image.Create(target->Width(), target->Height(), 24, false);
    for (int y = 0; y < target->Height(); ++y) {
        for (int x = 0; x < target->Width(); ++x) {
            image.SetPixel(x, y, format.ToColor(target->ReadPixel(x, y)));
        }
    }
    return BmpWriter::Instance().Write(image, fileName);
}
