#pragma once

#include <string>

// The graphics code presents into the window; nothing else needs the SDL type.
struct SDL_Window;

namespace platform {

// The program's one window. Full screen is a desktop-sized window without decoration:
// the monitor's mode is never changed, the display scales the frame into it.
class Window {
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Brings up the video system, naming the application to it.
    bool InitVideo(const std::string& applicationName);
    // Title in Windows-1252; width and height of the client area in windowed mode.
    bool Create(const std::string& title, int width, int height, bool fullScreen);

    SDL_Window* Handle() const { return window; }
    bool IsFullScreen() const { return fullScreen; }
    int ClientWidth() const;
    int ClientHeight() const;
    // True when the asked-for window was larger than the display and made smaller.
    bool ShrunkToDisplay() const { return shrunkToDisplay; }
    // Brings the window to the front with the keyboard focus (after a video, for instance).
    void Raise();

private:
    SDL_Window* window = nullptr;
    bool videoStarted = false;
    bool fullScreen = false;
    bool shrunkToDisplay = false;
};

}  // namespace platform
