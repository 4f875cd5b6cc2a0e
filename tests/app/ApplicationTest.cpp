#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "app/DO3Application.h"
#include "app/Debug.h"
#include "app/FrameTiming.h"
#include "app/MenuCommands.h"
#include "app/MouseMapping.h"
#include "display/DirectDraw.h"
#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/SyntheticInput.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"
#include "support/TempDir.h"

namespace {

using platform::Event;
using platform::EventType;

TEST(FrameTimingAndMouseMappingTest, StepsAndMousePositionsStayInTheirRanges)
{
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(300), 0.1f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(0), 0.005f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(20), 0.02f);
    // Client x, y, width, height -> logical x, y. Outside positions stay on the edge; an empty
    // client area does not divide by zero.
    const int cases[][6] = {{400, 300, 800, 600, 512, 384}, {799, 599, 800, 600, 1022, 766},
                            {-5, 900, 800, 600, 0, 766},    {10, 20, 0, 0, 10, 20}};
    for (const auto& c : cases) {
        mouse_mapping::Point point = mouse_mapping::ToLogicalFrame(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(point.x, c[4]) << c[0];
        EXPECT_EQ(point.y, c[5]) << c[0];
    }
}

// Records what reaches the game side, in order, as "KeyDown 37", "MouseMove 512 384", ...
class RecordingInput : public InputTarget {
public:
    explicit RecordingInput(std::vector<std::string>& log) : calls(log) {}
    void KeyDown(int key) override { Record("KeyDown", key); }
    void KeyUp(int key) override { Record("KeyUp", key); }
    void Char(int code) override { Record("Char", code); }
    void MouseMove(int x, int y) override { Record("MouseMove", x, y); }
    void MouseButtonDown(int x, int y, bool dbl) override { Record(dbl ? "DoubleClick" : "LeftDown", x, y); }
    void LeftButtonUp(int x, int y) override { Record("LeftUp", x, y); }
    void RightButtonDown(int x, int y) override { Record("RightDown", x, y); }
    void RightButtonUp(int x, int y) override { Record("RightUp", x, y); }
    int DebugCommand(const std::string& command, int, int) override
    {
        calls.push_back("DebugCommand " + command);
        return 0;
    }

private:
    void Record(const char* name, int a) { calls.push_back(std::string(name) + " " + std::to_string(a)); }
    void Record(const char* name, int a, int b) { Record(name, a), calls.back() += " " + std::to_string(b); }

    std::vector<std::string>& calls;
};

// An application whose frames and input land in one list; its Update can run a script.
class TestApplication : public DO3Application {
public:
    TestApplication() : DO3Application(std::make_unique<RecordingInput>(calls)) {}

    bool Init() override
    {
        calls.push_back("Init");
        return initResult;
    }
    bool Exit() override
    {
        calls.push_back("Exit");
        return true;
    }
    void Update(float dt) override
    {
        calls.push_back("Update");
        steps.push_back(dt);
        if (onUpdate) {
            onUpdate(static_cast<int>(steps.size()));
        }
    }
    void Render() override { calls.push_back("Render"); }

    void Handle(const Event& event) { WindowProc(event); }
    int Count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

    std::vector<std::string> calls;
    std::vector<float> steps;
    std::function<void(int)> onUpdate;
    bool initResult = true;
};

Event EventOf(EventType type, int x = 0, int y = 0) { return {.type = type, .x = x, .y = y}; }
Event KeyEvent(EventType type, int key) { return {.type = type, .key = key}; }
Event CommandEvent(int command) { return {.type = EventType::Command, .command = command}; }

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        platform::EventPump::Release();
        Debug::Release();
    }

    static platform::EventPump& pump() { return platform::EventPump::Instance(); }

    // The next event our own queue holds (what the window procedure posted).
    static Event NextPosted()
    {
        Event event;
        EXPECT_TRUE(pump().Poll(event));
        return event;
    }
};

TEST_F(ApplicationTest, InputReachesTheGameWithMousePositionsInTheLogicalFrameUnlessAVideoRuns)
{
    TestApplication app;
    app.Handle(KeyEvent(EventType::KeyDown, vk::kLeft));
    app.Handle(KeyEvent(EventType::KeyUp, vk::kLeft));
    app.Handle({.type = EventType::Char, .character = 0xE4});
    app.Handle(EventOf(EventType::MouseMove, 400, 300));
    app.Handle(EventOf(EventType::LeftDown, 0, 0));
    app.Handle(EventOf(EventType::LeftDoubleClick, 200, 150));
    app.Handle(EventOf(EventType::LeftUp, 400, 300));
    app.Handle(EventOf(EventType::RightDown, 400, 300));
    app.Handle(EventOf(EventType::RightUp, 400, 300));
    std::vector<std::string> expected = {"KeyDown 37",    "KeyUp 37",         "Char 228",
                                         "MouseMove 512 384", "LeftDown 0 0", "DoubleClick 256 192",
                                         "LeftUp 512 384", "RightDown 512 384", "RightUp 512 384"};
    EXPECT_EQ(app.calls, expected);

    // While a video runs input and paints are dropped, commands go on, and Escape or Space
    // pressed asks the film to end.
    app.calls.clear();
    app.SetVideoRunning(true);
    for (EventType type : {EventType::KeyUp, EventType::Char, EventType::MouseMove, EventType::LeftDown,
                           EventType::RightUp, EventType::Paint}) {
        app.Handle(KeyEvent(type, vk::kEscape));
    }
    app.Handle(KeyEvent(EventType::KeyDown, vk::kLeft));
    app.Handle(CommandEvent(menu_commands::kReset));
    expected = {"DebugCommand reset"};
    EXPECT_EQ(app.calls, expected);
    EXPECT_FALSE(app.IsVideoSkipRequested());
    app.Handle(KeyEvent(EventType::KeyDown, vk::kSpace));
    EXPECT_TRUE(app.IsVideoSkipRequested());

    app.SetVideoRunning(false);
    EXPECT_FALSE(app.IsVideoSkipRequested());
    app.Handle(KeyEvent(EventType::KeyDown, vk::kEscape));
    EXPECT_EQ(app.calls.back(), "KeyDown 27");
}

TEST_F(ApplicationTest, CommandsReachTheGameTheLogAndTheLoopAndClosingTheWindowPostsQuitWithZero)
{
    TestApplication app;
    // Unknown commands and a surface loss are harmless.
    app.Handle(CommandEvent(12345));
    app.Handle(EventOf(EventType::SurfacesLost));
    app.Handle(EventOf(EventType::Quit));
    app.Handle(CommandEvent(menu_commands::kObjectsBrowser));
    app.Handle(CommandEvent(menu_commands::kFlags));
    EXPECT_TRUE(Debug::Instance().IsMessageWindowVisible());
    std::vector<std::string> expected = {"DebugCommand show objectsettings", "DebugCommand print flags"};
    EXPECT_EQ(app.calls, expected);

    for (auto [event, exitCode] : {std::pair{CommandEvent(menu_commands::kExit), -1},
                                   std::pair{EventOf(EventType::Destroy), 0}}) {
        app.Handle(event);
        Event posted = NextPosted();
        EXPECT_EQ(posted.type, EventType::Quit);
        EXPECT_EQ(posted.exitCode, exitCode);
    }
}

// Runs of the whole frame: a real (headless) window, the log in a temporary directory.
class RunningApplicationTest : public ApplicationTest {
protected:
    void SetUp() override
    {
        ApplicationTest::SetUp();
        dir.Write("data/placeholder", "");
        config.windowTitle = "Das Quillmark";
        config.className = "Das Quillmark";
    }

    TempDir dir;
    AppConfig config;
};

TEST_F(RunningApplicationTest, CreateWritesTheLogHeaderAndCallsInitAndFailsWhenInitFailsOrWithoutALogFile)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    EXPECT_TRUE(app.IsActive());
    EXPECT_EQ(DO3Application::Current(), &app);
    ASSERT_NE(DO3Application::MainWindow(), nullptr);
    EXPECT_EQ(app.calls, std::vector<std::string>{"Init"});
    std::string log = dir.Read("data/debug.txt");
    const std::string rule = "---------------------------------------------------\n";
    EXPECT_EQ(log.rfind(rule + "Das Quillmark\n" + rule + "Build: ", 0), 0u) << log;
    EXPECT_TRUE(std::regex_search(log, std::regex("\nBuild: \\d\\d:\\d\\d:\\d\\d \\w{3} [ \\d]\\d \\d{4}\n\n"
                                                  "Started at: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\n"
                                                  "Windows version: [0-9a-f]+\\.[0-9a-f]{2} build [0-9a-f]{4,}\n\n")))
        << log;

    TestApplication failing;
    failing.initResult = false;
    EXPECT_FALSE(failing.Create(config));
    EXPECT_FALSE(failing.IsActive());
    std::filesystem::remove_all(dir.Path() / "data");
    TestApplication withoutLog;
    EXPECT_FALSE(withoutLog.Create(config));
    EXPECT_TRUE(withoutLog.calls.empty());
}

TEST_F(RunningApplicationTest, WindowedFramesDrawThroughPaintOnePerUpdateAndTheExitKeyEndsRunWithMinusOneWithoutFocus)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    app.Handle(EventOf(EventType::KillFocus));
    EXPECT_TRUE(app.IsActive());
    app.onUpdate = [](int frame) {
        if (frame == 4) {
            platform::PushKey("F12", true);
            platform::PushKey("F12", false);
        }
    };
    EXPECT_EQ(app.Run(), -1);
    // The first paint is the one of window creation; then each frame is drawn once. The exit
    // key is not the game's.
    std::vector<std::string> expected = {"Init",   "Render", "Update", "Render", "Update", "Render",
                                         "Update", "Render", "Update", "Exit"};
    EXPECT_EQ(app.calls, expected);
    for (float dt : app.steps) {
        EXPECT_GE(dt, frame_timing::kMinStepSeconds);
        EXPECT_LE(dt, frame_timing::kMaxStepSeconds);
    }
    std::string log = dir.Read("data/debug.txt");
    ASSERT_NE(log.find("Shutting down DirectDraw.\n"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 9), "Exiting.\n") << "the display goes down last";
}

TEST_F(RunningApplicationTest, AFrameRunsOnlyWhenNoEventWaits)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    for (int i = 0; i < 3; ++i) {
        platform::PushMouseMotion(8 * i, 6 * i);
    }
    app.onUpdate = [](int) { pump().PostQuit(0); };
    EXPECT_EQ(app.Run(), 0);
    auto firstUpdate = std::find(app.calls.begin(), app.calls.end(), "Update");
    EXPECT_EQ(std::count_if(app.calls.begin(), firstUpdate,
                            [](const std::string& call) { return call.rfind("MouseMove", 0) == 0; }),
              3);

    // A quit taken by PumpOneEvent ends the next run before any frame.
    app.calls.clear();
    while (app.PumpOneEvent()) {
    }
    pump().PostQuit(7);
    EXPECT_TRUE(app.PumpOneEvent());
    EXPECT_EQ(app.Run(), 7);
    EXPECT_EQ(app.Count("Update"), 0);
}

TEST_F(RunningApplicationTest, FullScreenDrawsInTheLoopAndPausesWithoutFocus)
{
    config.fullScreen = true;
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    app.Handle(EventOf(EventType::Paint));
    EXPECT_EQ(app.Count("Render"), 0);

    app.Handle(EventOf(EventType::KillFocus));
    EXPECT_FALSE(app.IsActive());
    app.Handle(EventOf(EventType::SetFocus));
    EXPECT_TRUE(app.IsActive());

    app.onUpdate = [](int frame) {
        if (frame == 1) {
            platform::PushKey("F12", true);  // no menu in full screen: the key is the game's
        } else {
            pump().PostQuit(0);
        }
    };
    EXPECT_EQ(app.Run(), 0);
    std::vector<std::string> expected = {"Init", "Update", "Render", "KeyDown 123", "Update", "Render", "Exit"};
    EXPECT_EQ(app.calls, expected);
}

// The keys and the mouse positions that reach the game, without the frames drawn between them.
std::vector<std::string> InputCalls(const std::vector<std::string>& calls)
{
    std::vector<std::string> input;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(input), [](const std::string& call) {
        return call.rfind("Key", 0) == 0 || call.rfind("Char", 0) == 0 || call.rfind("Mouse", 0) == 0;
    });
    return input;
}

TEST_F(RunningApplicationTest, AltEnterAndF11SwitchTheModeAndTheEnterOfAltEnterNeverReachesTheGame)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    const auto pumpAll = [&app] {
        while (app.PumpOneEvent()) {
        }
    };
    platform::PushKey("Left Alt", true);
    platform::PushKey("Return", true);
    platform::PushKey("Return", true, true);
    platform::PushKey("Return", false);
    platform::PushKey("Left Alt", false);
    platform::PushMouseMotion(512, 384);
    pumpAll();
    EXPECT_TRUE(app.IsFullScreen());
    EXPECT_TRUE(DirectDraw::Instance().IsFullScreen());
    EXPECT_TRUE(DO3Application::MainWindow()->IsFullScreen());
    // The dummy desktop of 1024 x 768 shows the frame at its own size.
    std::vector<std::string> expected = {"KeyDown 18", "KeyUp 18", "MouseMove 512 384"};
    EXPECT_EQ(InputCalls(app.calls), expected);

    // F11 works in full screen too and is not the game's; a plain Enter is the game's again.
    app.calls.clear();
    for (const char* key : {"F11", "Return"}) {
        platform::PushKey(key, true);
        platform::PushKey(key, false);
    }
    platform::PushMouseMotion(400, 300);
    pumpAll();
    EXPECT_FALSE(app.IsFullScreen());
    EXPECT_FALSE(DirectDraw::Instance().IsFullScreen());
    expected = {"KeyDown 13", "Char 13", "KeyUp 13", "MouseMove 512 384"};
    EXPECT_EQ(InputCalls(app.calls), expected);
    EXPECT_TRUE(app.IsActive());

    pump().PostQuit(0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0) << dir.Read("data/debug.txt");
}

}  // namespace
