#include "app/DO3Application.h"

#include <ctime>

#include "app/Debug.h"
#include "app/FrameTiming.h"
#include "app/MainProgramInput.h"
#include "app/MenuCommands.h"
#include "app/MouseMapping.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "display/DirectDraw.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/SystemInfo.h"
#include "platform/Viewport.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace {

using platform::Event;
using platform::EventType;

constexpr const char* kLogFile = "data\\debug.txt";
constexpr const char* kRule = "---------------------------------------------------\n";

constexpr const char* kHelpText =
    "Steuerung\n"
    "\n"
    "Pfeiltasten: laufen\n"
    "Leertaste oder Strg: mit dem Brett ausholen, loslassen zum Zuschlagen\n"
    "S: nach einem Treffer rufen, um nicht umzufallen\n"
    "Esc: zur\xFC" "ck\n"
    "\n"
    "Alt+Enter oder F11: Fenster oder Vollbild\n"
    "Im Fenster: F1 Hilfe, F2 \xDC" "ber, F5 Neustart, F12 Beenden";

DO3Application* currentApplication = nullptr;

}  // namespace

DO3Application::DO3Application() : DO3Application(std::make_unique<MainProgramInput>())
{
}

DO3Application::DO3Application(std::unique_ptr<InputTarget> target) : input(std::move(target))
{
}

DO3Application::~DO3Application()
{
    if (currentApplication == this) {
        currentApplication = nullptr;
    }
}

DO3Application* DO3Application::Current()
{
    return currentApplication;
}

platform::Window* DO3Application::MainWindow()
{
    return currentApplication ? currentApplication->window.get() : nullptr;
}

bool DO3Application::Create(const AppConfig& newConfig)
{
    config = newConfig;
    fullScreen = config.fullScreen;
    currentApplication = this;
    if (!RegisterClass() || !CreateWindow() || !CreateLog()) {
        return false;
    }
    WriteLogHeader();
    Debug::Instance().WriteHeldLines();
    if (!StartDisplay()) {
        return false;
    }
    StartSound();
    if (!Init()) {
        return false;
    }
    active = true;
    return true;
}

bool DO3Application::RegisterClass()
{
    window = std::make_unique<platform::Window>();
    if (!window->InitVideo(config.className)) {
        Debug::ShowErrorBox("DO3Application::RegisterClass: Failed to register the application class!");
        return false;
    }
    return true;
}

bool DO3Application::CreateWindow()
{
    if (!window->Create(config.windowTitle, config.width, config.height, config.fullScreen)) {
        Debug::ShowErrorBox("DO3Application::CreateWindow: Failed to create the main window!");
        return false;
    }
    if (window->ShrunkToDisplay()) {
        Debug::Instance().Warning("DO3Application::CreateWindow: %d x %d does not fit the display, using %d x %d\n",
                                  config.width, config.height, window->ClientWidth(), window->ClientHeight());
    }
    platform::EventPump::Instance().Invalidate();
    return true;
}

bool DO3Application::CreateLog()
{
    // The messages window waits for F9: it is drawn over the game, not beside it.
    return Debug::Instance().CreateLogFile(kLogFile);
}

void DO3Application::WriteLogHeader()
{
    Debug& debug = Debug::Instance();
    debug.Log("%s", kRule);
    debug.Log("%s\n", config.windowTitle.c_str());
    debug.Log("%s", kRule);
    debug.Log("Build: %s %s\n", __TIME__, __DATE__);
    debug.Log("\n");

    char started[32] = "";
    std::time_t now = std::time(nullptr);
    struct tm local {};
    if (localtime_r(&now, &local)) {
        std::strftime(started, sizeof started, "%Y-%m-%d %H:%M:%S", &local);
    }
    debug.Log("Started at: %s\n", started);

    platform::KernelVersion kernel = platform::GetKernelVersion();
    debug.Log("Windows version: %x.%02x build %04x\n", static_cast<unsigned>(kernel.major),
              static_cast<unsigned>(kernel.minor), static_cast<unsigned>(kernel.build));
    debug.Log("\n");
}

bool DO3Application::StartDisplay()
{
    return DirectDraw::Instance().Create(window.get(), config.width, config.height, config.depth, config.fullScreen);
}

void DO3Application::StopDisplay()
{
    DirectDraw::Instance().Release();
}

// The frame restores the surfaces once before presenting.
void DO3Application::DisplaySurfacesLost()
{
    DirectDraw::Instance().ReportLostSurface();
}

// A game without sound is still a game: a missing audio device only costs a warning.
void DO3Application::StartSound()
{
    bool soundReady = SampleManager::Instance().Init();
    if (!soundReady) {
        Debug::Instance().Warning("DO3Application::Create: Failed to initialize SampleManager!\n");
    }
    SoundEngine::Instance().Enable(soundReady);
}

int DO3Application::Run()
{
    platform::EventPump& pump = platform::EventPump::Instance();
    uint32_t lastMark = platform::Clock::Milliseconds();
    while (!exitCode) {
        Event event;
        bool taken = active ? pump.Poll(event) : pump.Wait(event);
        if (taken) {
            HandleTakenEvent(event);
        } else if (active) {
            lastMark = RunFrame(lastMark);
        } else {
            // Waiting failed (the system queue is gone); do not spin.
            platform::Clock::Sleep(frame_timing::kMinFrameMilliseconds);
        }
    }
    ShutDown();
    return *exitCode;
}

bool DO3Application::PumpOneEvent()
{
    Event event;
    if (!platform::EventPump::Instance().Poll(event)) {
        return false;
    }
    HandleTakenEvent(event);
    return true;
}

void DO3Application::HandleTakenEvent(Event& event)
{
    if (event.type == EventType::Quit) {
        exitCode = event.exitCode;
    } else if (TranslateAltEnter(event) && TranslateAccelerator(event)) {
        WindowProc(event);
    }
}

bool DO3Application::TranslateAltEnter(Event& event)
{
    // The carriage return an Enter types comes right after its key-down, or not at all.
    bool carriageReturnOfAltEnter = carriageReturnPending;
    carriageReturnPending = false;
    bool isKey = event.type == EventType::KeyDown || event.type == EventType::KeyUp;
    if (isKey && event.key == vk::kMenu) {
        altHeld = event.type == EventType::KeyDown;
    } else if (event.type == EventType::KillFocus) {
        // The release of a key held while the focus left goes to another window.
        altHeld = false;
    } else if (event.type == EventType::KeyDown && event.key == vk::kReturn && (altHeld || enterOfAltEnterHeld)) {
        carriageReturnPending = true;
        if (event.repeat || enterOfAltEnterHeld) {
            return false;
        }
        enterOfAltEnterHeld = true;
        event.type = EventType::Command;
        event.command = menu_commands::kToggleFullScreen;
    } else if (event.type == EventType::Char && event.character == '\r' && carriageReturnOfAltEnter) {
        return false;
    } else if (event.type == EventType::KeyUp && event.key == vk::kReturn && enterOfAltEnterHeld) {
        enterOfAltEnterHeld = false;
        return false;
    }
    return true;
}

bool DO3Application::TranslateAccelerator(Event& event) const
{
    bool isKey = event.type == EventType::KeyDown || event.type == EventType::KeyUp;
    if (!isKey) {
        return true;
    }
    int command = menu_commands::CommandOfKey(event.key);
    if (command == 0 || (fullScreen && !menu_commands::WorksInFullScreen(command))) {
        return true;
    }
    if (event.type == EventType::KeyDown && !event.repeat) {
        event.type = EventType::Command;
        event.command = command;
        return true;
    }
    return false;
}

uint32_t DO3Application::RunFrame(uint32_t lastMark)
{
    float dt = frame_timing::StepSeconds(platform::Clock::Milliseconds() - lastMark);
    uint32_t mark = platform::Clock::Milliseconds();
    if (!videoRunning) {
        Update(dt);
        if (fullScreen) {
            Render();
        } else {
            platform::EventPump::Instance().Invalidate();
        }
    }
    platform::Clock::WaitUntilElapsed(mark, frame_timing::kMinFrameMilliseconds);
    return mark;
}

void DO3Application::ShutDown()
{
    Exit();
    SampleManager::Instance().Shutdown();
    Debug& debug = Debug::Instance();
    debug.Log("Shutting down DirectDraw.\n");
    StopDisplay();
    debug.Log("Exiting.\n");
}

void DO3Application::WindowProc(const Event& event)
{
    switch (event.type) {
    case EventType::Destroy:
        platform::EventPump::Instance().PostQuit(0);
        break;
    case EventType::Quit:
        break;
    case EventType::SetFocus:
    case EventType::KillFocus:
        // A window stays active for its whole life; full screen pauses while in the background.
        if (fullScreen) {
            active = event.type == EventType::SetFocus;
        }
        break;
    case EventType::Paint:
        // The film draws its own pictures; a paint of the game would cover them.
        if (!fullScreen && !videoRunning) {
            Render();
        }
        break;
    case EventType::Command:
        OnCommand(event.command);
        break;
    case EventType::SurfacesLost:
        DisplaySurfacesLost();
        break;
    default:
        if (videoRunning) {
            NoteVideoSkipKey(event);
        } else {
            DispatchInput(event);
        }
        break;
    }
}

void DO3Application::SetVideoRunning(bool running)
{
    videoRunning = running;
    videoSkipRequested = false;
}

void DO3Application::NoteVideoSkipKey(const Event& event)
{
    if (event.type == EventType::KeyDown && (event.key == vk::kEscape || event.key == vk::kSpace)) {
        videoSkipRequested = true;
    }
}

void DO3Application::DispatchInput(const Event& event)
{
    switch (event.type) {
    case EventType::KeyDown:
        input->KeyDown(event.key);
        break;
    case EventType::KeyUp:
        input->KeyUp(event.key);
        break;
    case EventType::Char:
        input->Char(event.character);
        break;
    default:
        DispatchMouse(event);
        break;
    }
}

void DO3Application::DispatchMouse(const Event& event)
{
    int x = 0;
    int y = 0;
    platform::MapWindowToViewport(event.x, event.y, x, y);
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    mouse_mapping::Point point = mouse_mapping::ToLogicalFrame(x, y, width, height);
    switch (event.type) {
    case EventType::MouseMove:
        input->MouseMove(point.x, point.y);
        break;
    case EventType::LeftDown:
        input->MouseButtonDown(point.x, point.y, false);
        break;
    case EventType::LeftDoubleClick:
        input->MouseButtonDown(point.x, point.y, true);
        break;
    case EventType::LeftUp:
        input->LeftButtonUp(point.x, point.y);
        break;
    case EventType::RightDown:
        input->RightButtonDown(point.x, point.y);
        break;
    case EventType::RightUp:
        input->RightButtonUp(point.x, point.y);
        break;
    default:
        break;
    }
}

// The area the frame is shown in: the display's viewport once a frame was presented, before
// that the window's client area.
void DO3Application::ClientSize(int& width, int& height) const
{
    platform::Viewport viewport = platform::CurrentViewport();
    width = viewport.width;
    height = viewport.height;
    if (width > 0 && height > 0) {
        return;
    }
    width = window ? window->ClientWidth() : 0;
    height = window ? window->ClientHeight() : 0;
    if (width <= 0 || height <= 0) {
        width = config.width;
        height = config.height;
    }
}

void DO3Application::OnCommand(int command)
{
    switch (command) {
    case menu_commands::kReset:
        input->DebugCommand("reset", 0, 0);
        break;
    case menu_commands::kExit:
        platform::EventPump::Instance().PostQuit(-1);
        break;
    case menu_commands::kObjectsBrowser:
        input->DebugCommand("show objectsettings", 0, 0);
        break;
    case menu_commands::kMessages:
        Debug::Instance().ShowMessageWindow();
        break;
    case menu_commands::kFlags:
        Debug::Instance().ShowMessageWindow();
        input->DebugCommand("print flags", 0, 0);
        break;
    case menu_commands::kHelp:
        platform::ShowInformationBox(config.windowTitle.c_str(), kHelpText);
        break;
    case menu_commands::kToggleFullScreen:
        ToggleFullScreen();
        break;
    case menu_commands::kAbout:
        platform::ShowInformationBox(config.windowTitle.c_str(),
                                     (config.windowTitle + "\nBuild: " + __TIME__ + " " + __DATE__).c_str());
        break;
    default:
        break;
    }
}

// The game goes on in the other mode with everything it has loaded; the display rebuilds only
// its own buffers. The player switched with a key, so the game has the focus either way.
void DO3Application::ToggleFullScreen()
{
    if (!DirectDraw::Instance().SetFullScreen(!fullScreen)) {
        return;
    }
    fullScreen = !fullScreen;
    active = true;
    platform::EventPump::Instance().Invalidate();
}
