#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/PixelFormat.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

class PixelSurface;

// Shows finished frames in a window through an SDL renderer: the frame is uploaded to a
// texture and drawn into the viewport (aspect kept, black bars), in a window or a desktop-sized
// full-screen window. A software renderer gets the frame already scaled to the viewport and
// converted to the window's format, since its own stretch is several times slower. The
// editor's ImGui layer is drawn over each frame. Renderer resets mark every surface lost. The
// renderer is the window's one renderer (SDL_GetRenderer finds it): a renderer the window
// already has is borrowed, otherwise made and owned, the software one for a window and the
// accelerated one for full screen it starts in. A switch of the mode keeps the renderer: a new
// one could bring a new system window with it (one that can draw with OpenGL).
class Presenter {
public:
    // Null when no renderer can be made for the window.
    static std::unique_ptr<Presenter> Create(SDL_Window* window, bool fullScreen);
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Full screen covers the desktop; windowed returns to the window's own size. The editor
    // layer learns of the mode (it draws only in a window).
    void SetFullScreen(bool fullScreen);
    int32_t Present(const PixelSurface& frame);
    bool IsSoftware() const { return software; }
    // The textures are gone after a renderer reset; the next present makes new ones.
    void RendererWasReset();
    // The window with this id was uncovered or resized and shows no frame until the next
    // present; the viewport is fitted to its size at once.
    void ForgetPicture(uint32_t windowId);
    // Nothing was presented since the texture or the window's picture was lost.
    bool NeedsRepaint() const;

private:
    Presenter(SDL_Window* window, SDL_Renderer* renderer, bool ownsRenderer, bool software);
    void FitViewportToWindow();
    void ForgetTexture();
    bool PrepareTexture(uint32_t textureFormat, int width, int height);
    int32_t UploadScaled(const PixelSurface& frame, int width, int height);
    int32_t UploadUnscaled(const PixelSurface& frame);

    SDL_Window* window;
    SDL_Renderer* renderer;
    bool ownsRenderer;
    SDL_Texture* texture = nullptr;
    uint32_t textureFormat = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    bool software;
    bool fullScreen = false;
    bool pictureShown = false;
    // The size of the last presented frame, 0 before the first.
    int frameWidth = 0;
    int frameHeight = 0;
    // 16-bit pixel values to 0xFFRRGGBB for the software path, built for tableFormat.
    std::vector<uint32_t> colorTable;
    PixelFormat tableFormat{0, 0, 0, 0};
};

}  // namespace platform
