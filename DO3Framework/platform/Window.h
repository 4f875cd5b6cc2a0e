#pragma once

#include <string>

// The graphics code presents into the window; nothing else needs the SDL type.
struct SDL_Window;

namespace platform {

// The program's one window, resizable. Full screen is a desktop-sized window without
// decoration: the monitor's mode is never changed, the display scales the frame into it. The
// system's mouse pointer shows only in a window.
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
    // Switches the mode of the shown window; back in a window it gets the place and size it
    // had before full screen (the asked-for size if it started in full screen).
    void SetFullScreen(bool fullScreen);

    SDL_Window* Handle() const { return window; }
    bool IsFullScreen() const { return fullScreen; }
    int ClientWidth() const;
    int ClientHeight() const;
    // True when the asked-for window was larger than the display and made smaller.
    bool ShrunkToDisplay() const { return shrunkToDisplay; }
    // Brings the window to the front with the keyboard focus (after a video, for instance).
    void Raise();

private:
    void CoverDisplay();
    void ShowCursorOfMode();

    // Where the window goes back to from full screen.
    struct Area {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
    };

    SDL_Window* window = nullptr;
    Area windowedArea;
    bool videoStarted = false;
    bool fullScreen = false;
    bool shrunkToDisplay = false;
};

}  // namespace platform
