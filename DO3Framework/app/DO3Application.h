#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "app/AppConfig.h"
#include "app/InputTarget.h"

namespace platform {
class Window;
struct Event;
}  // namespace platform

// The application frame: the window, the log, the message and frame loop. Each loop pass
// handles at most one window event; a frame runs only when none is waiting. A game's
// application derives from it and fills in Init, Exit, Update and Render.
class DO3Application {
public:
    DO3Application();
    // Input goes to target instead of MainProgram (tests record it this way).
    explicit DO3Application(std::unique_ptr<InputTarget> target);
    virtual ~DO3Application();
    DO3Application(const DO3Application&) = delete;
    DO3Application& operator=(const DO3Application&) = delete;

    // Opens the window, the log and the services and calls Init; false if any of it fails.
    bool Create(const AppConfig& config);
    // The message and frame loop; returns the exit code of the quit that ended it.
    int Run();
    // Handles one waiting event, if any (the video player keeps the window alive this way).
    // A quit taken here ends Run at its next pass.
    bool PumpOneEvent();

    virtual bool Init() { return true; }
    virtual bool Exit() { return true; }
    virtual void Update(float) {}
    virtual void Render() {}

    // While a video plays, frames are neither updated nor drawn and game input is dropped.
    // Escape or Space pressed meanwhile (also by a pad) asks the player to end the film, so
    // that a tap too short to be seen held still counts.
    void SetVideoRunning(bool running);
    bool IsVideoRunning() const { return videoRunning; }
    bool IsVideoSkipRequested() const { return videoSkipRequested; }
    // A quit was taken by PumpOneEvent and Run ends at its next pass.
    bool IsQuitRequested() const { return exitCode.has_value(); }
    bool IsActive() const { return active; }
    // The mode shown now; it starts as configured and follows every switch.
    bool IsFullScreen() const { return fullScreen; }
    const AppConfig& Config() const { return config; }

    // The application and its window, published process-wide by Create.
    static DO3Application* Current();
    static platform::Window* MainWindow();

protected:
    // The window procedure: what each window event does.
    void WindowProc(const platform::Event& event);
    void OnCommand(int command);

private:
    bool RegisterClass();
    bool CreateWindow();
    bool CreateLog();
    void WriteLogHeader();
    // The display engine comes up, goes down and hears of lost surfaces here, and nowhere else.
    bool StartDisplay();
    void StartSound();
    void StopDisplay();
    void DisplaySurfacesLost();

    void HandleTakenEvent(platform::Event& event);
    // Turns a function key into its menu command in windowed mode; false if the key is used up.
    bool TranslateAccelerator(platform::Event& event) const;
    // Turns Alt+Enter into the full-screen switch; false for the rest of that Enter (its
    // repeats, its typed carriage return, its release), which the game must not see.
    bool TranslateAltEnter(platform::Event& event);
    void ToggleFullScreen();
    uint32_t RunFrame(uint32_t lastMark);
    void ShutDown();
    void DispatchInput(const platform::Event& event);
    void NoteVideoSkipKey(const platform::Event& event);
    void DispatchMouse(const platform::Event& event);
    void ClientSize(int& width, int& height) const;

    std::unique_ptr<InputTarget> input;
    std::unique_ptr<platform::Window> window;
    AppConfig config;
    bool active = false;
    bool videoRunning = false;
    bool videoSkipRequested = false;
    bool fullScreen = false;
    bool altHeld = false;
    bool enterOfAltEnterHeld = false;
    bool carriageReturnPending = false;
    std::optional<int> exitCode;
};
