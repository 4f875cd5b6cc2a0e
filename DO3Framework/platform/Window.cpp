#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>

#include "platform/TextEncoding.h"

namespace platform {

Window::~Window()
{
    if (window) {
        SDL_DestroyWindow(window);
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool Window::InitVideo(const std::string& applicationName)
{
    if (videoStarted) {
        return true;
    }
    SDL_SetHint(SDL_HINT_APP_NAME, Utf8FromCp1252(applicationName).c_str());
    videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return videoStarted;
}

bool Window::Create(const std::string& title, int width, int height, bool wantFullScreen)
{
    if (window || !videoStarted || width <= 0 || height <= 0) {
        return false;
    }
    Uint32 flags = wantFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE;
    int x = SDL_WINDOWPOS_UNDEFINED;
    int y = SDL_WINDOWPOS_UNDEFINED;
    SDL_DisplayMode desktop;
    if (wantFullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        // Without a window manager the full-screen request is not honoured and the window keeps
        // the size it was made with, while SDL reports the desktop's: make it desktop-sized.
        x = 0;
        y = 0;
        width = desktop.w;
        height = desktop.h;
    }
    SDL_Rect usable;
    if (!wantFullScreen && SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        // A window larger than the display cannot be shown (or made): keep it on the screen.
        shrunkToDisplay = width > usable.w || height > usable.h;
        width = std::min(width, usable.w);
        height = std::min(height, usable.h);
    }
    window = SDL_CreateWindow(Utf8FromCp1252(title).c_str(), x, y, width, height, flags);
    if (!window) {
        return false;
    }
    fullScreen = wantFullScreen;
    if (fullScreen) {
        SDL_ShowCursor(SDL_DISABLE);
    }
    SDL_StartTextInput();
    return true;
}

int Window::ClientWidth() const
{
    int width = 0;
    if (window) {
        SDL_GetWindowSize(window, &width, nullptr);
    }
    return width;
}

int Window::ClientHeight() const
{
    int height = 0;
    if (window) {
        SDL_GetWindowSize(window, nullptr, &height);
    }
    return height;
}

void Window::Raise()
{
    if (window) {
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
    }
}

}  // namespace platform
