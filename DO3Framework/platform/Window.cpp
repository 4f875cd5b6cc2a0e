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
    windowedArea = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        // A window larger than the display cannot be shown (or made): keep it on the screen.
        shrunkToDisplay = !wantFullScreen && (width > usable.w || height > usable.h);
        windowedArea.w = std::min(width, usable.w);
        windowedArea.h = std::min(height, usable.h);
    }
    SDL_Rect area{windowedArea.x, windowedArea.y, windowedArea.w, windowedArea.h};
    SDL_Rect desktop;
    if (wantFullScreen && SDL_GetDisplayBounds(0, &desktop) == 0) {
        // Desktop-sized from the start, for want of a window manager to honour the request.
        area = desktop;
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | (wantFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window = SDL_CreateWindow(Utf8FromCp1252(title).c_str(), area.x, area.y, area.w, area.h, flags);
    if (!window) {
        return false;
    }
    fullScreen = wantFullScreen;
    ShowCursorOfMode();
    SDL_StartTextInput();
    return true;
}

void Window::SetFullScreen(bool wantFullScreen)
{
    if (!window || wantFullScreen == fullScreen) {
        return;
    }
    if (wantFullScreen) {
        SDL_GetWindowPosition(window, &windowedArea.x, &windowedArea.y);
        SDL_GetWindowSize(window, &windowedArea.w, &windowedArea.h);
        CoverDisplay();
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, windowedArea.w, windowedArea.h);
        SDL_SetWindowPosition(window, windowedArea.x, windowedArea.y);
    }
    fullScreen = wantFullScreen;
    ShowCursorOfMode();
}

// Without a window manager the full-screen request is not honoured and the window keeps its
// size, while SDL reports the display's: the window is made display-sized itself first.
void Window::CoverDisplay()
{
    SDL_Rect display;
    int index = SDL_GetWindowDisplayIndex(window);
    if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &display) == 0) {
        SDL_SetWindowPosition(window, display.x, display.y);
        SDL_SetWindowSize(window, display.w, display.h);
    }
}

// Full screen draws the game's own pointer; a window shows the system's.
void Window::ShowCursorOfMode()
{
    SDL_ShowCursor(fullScreen ? SDL_DISABLE : SDL_ENABLE);
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
