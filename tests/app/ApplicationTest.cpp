#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/DO3Application.h"
#include "app/Debug.h"
#include "app/FrameTiming.h"
#include "app/MenuCommands.h"
#include "app/MouseMapping.h"
#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/SyntheticInput.h"
#include "platform/VirtualKeys.h"
#include "support/TempDir.h"

namespace {

using platform::Event;
using platform::EventType;

TEST(FrameTimingTest, StepIsClampedBetweenFiveAndHundredMilliseconds)
{
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(300), 0.1f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(1), 0.005f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(0), 0.005f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(20), 0.02f);
    EXPECT_FLOAT_EQ(frame_timing::StepSeconds(100), 0.1f);
}

TEST(MouseMappingTest, ClientPixelsScaleToTheLogicalFrameAndStayInIt)
{
    mouse_mapping::Point point = mouse_mapping::ToLogicalFrame(400, 300, 800, 600);
    EXPECT_EQ(point.x, 512);
    EXPECT_EQ(point.y, 384);
    point = mouse_mapping::ToLogicalFrame(799, 599, 800, 600);
    EXPECT_EQ(point.x, 1022);
    EXPECT_EQ(point.y, 766);
    point = mouse_mapping::ToLogicalFrame(1023, 0, 1024, 768);
    EXPECT_EQ(point.x, 1023);
    EXPECT_EQ(point.y, 0);
    // Positions outside the client area stay on its edge.
    point = mouse_mapping::ToLogicalFrame(-5, 900, 800, 600);
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, 766);
    // An empty client area does not divide by zero.
    point = mouse_mapping::ToLogicalFrame(10, 20, 0, 0);
    EXPECT_EQ(point.x, 10);
    EXPECT_EQ(point.y, 20);
}

// Records what reaches the game side, in order, as "KeyDown 37", "MouseMove 512 384", ...
class RecordingInput : public InputTarget {
public:
    explicit RecordingInput(std::vector<std::string>& log) : calls(log) {}
    void KeyDown(int key) override { Record("KeyDown", key); }
    void KeyUp(int key) override { Record("KeyUp", key); }
    void Char(int code) override { Record("Char", code); }
    void MouseMove(int x, int y) override { Record("MouseMove", x, y); }
    void MouseButtonDown(int x, int y, bool doubleClick) override
    {
        Record(doubleClick ? "DoubleClick" : "LeftDown", x, y);
    }
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

Event EventOf(EventType type, int x = 0, int y = 0)
{
    Event event;
    event.type = type;
    event.x = x;
    event.y = y;
    return event;
}

Event KeyEvent(EventType type, int key)
{
    Event event = EventOf(type);
    event.key = key;
    return event;
}

Event CommandEvent(int command)
{
    Event event = EventOf(EventType::Command);
    event.command = command;
    return event;
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::EventPump::Release();
        Debug::Release();
    }
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

TEST_F(ApplicationTest, InputReachesTheGameWithMousePositionsInTheLogicalFrame)
{
    TestApplication app;
    app.Handle(KeyEvent(EventType::KeyDown, vk::kLeft));
    app.Handle(KeyEvent(EventType::KeyUp, vk::kLeft));
    Event character = EventOf(EventType::Char);
    character.character = 0xE4;
    app.Handle(character);
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
}

TEST_F(ApplicationTest, InputIsDroppedWhileAVideoRunsButPaintAndCommandsGoOn)
{
    TestApplication app;
    app.SetVideoRunning(true);
    app.Handle(KeyEvent(EventType::KeyDown, vk::kEscape));
    app.Handle(KeyEvent(EventType::KeyUp, vk::kEscape));
    app.Handle(EventOf(EventType::Char));
    app.Handle(EventOf(EventType::MouseMove, 1, 1));
    app.Handle(EventOf(EventType::LeftDown, 1, 1));
    app.Handle(EventOf(EventType::RightUp, 1, 1));
    app.Handle(EventOf(EventType::Paint));
    app.Handle(CommandEvent(menu_commands::kReset));
    std::vector<std::string> expected = {"Render", "DebugCommand reset"};
    EXPECT_EQ(app.calls, expected);

    app.SetVideoRunning(false);
    app.Handle(KeyEvent(EventType::KeyDown, vk::kEscape));
    EXPECT_EQ(app.calls.back(), "KeyDown 27");
}

TEST_F(ApplicationTest, MenuCommandsReachTheGameTheLogAndTheLoop)
{
    TestApplication app;
    app.Handle(CommandEvent(menu_commands::kObjectsBrowser));
    app.Handle(CommandEvent(menu_commands::kFlags));
    EXPECT_TRUE(Debug::Instance().IsMessageWindowVisible());
    std::vector<std::string> expected = {"DebugCommand show objectsettings", "DebugCommand print flags"};
    EXPECT_EQ(app.calls, expected);

    app.Handle(CommandEvent(menu_commands::kExit));
    Event posted = NextPosted();
    EXPECT_EQ(posted.type, EventType::Quit);
    EXPECT_EQ(posted.exitCode, -1);
}

TEST_F(ApplicationTest, UnknownCommandsAndSurfaceLossAreHarmlessAndClosingTheWindowPostsQuitWithZero)
{
    TestApplication app;
    app.Handle(CommandEvent(12345));
    app.Handle(EventOf(EventType::SurfacesLost));
    app.Handle(EventOf(EventType::Quit));
    EXPECT_TRUE(app.calls.empty());
    app.Handle(EventOf(EventType::Destroy));
    Event posted = NextPosted();
    EXPECT_EQ(posted.type, EventType::Quit);
    EXPECT_EQ(posted.exitCode, 0);
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

TEST_F(RunningApplicationTest, CreateWritesTheLogHeaderAndCallsInit)
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
}

TEST_F(RunningApplicationTest, CreateFailsWhenInitFailsOrWithoutALogFile)
{
    TestApplication failing;
    failing.initResult = false;
    EXPECT_FALSE(failing.Create(config));
    EXPECT_FALSE(failing.IsActive());
    std::filesystem::remove_all(dir.Path() / "data");
    TestApplication app;
    EXPECT_FALSE(app.Create(config));
    EXPECT_TRUE(app.calls.empty());
}

TEST_F(RunningApplicationTest, ClosingTheWindowEndsRunWithZeroAfterExit)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    app.onUpdate = [](int frame) {
        if (frame == 3) {
            platform::PushWindowClose();
        }
    };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.Count("Update"), 3);
    EXPECT_EQ(app.calls.back(), "Exit");
    std::string log = dir.Read("data/debug.txt");
    size_t display = log.find("Shutting down DirectDraw.\n");
    ASSERT_NE(display, std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 9), "Exiting.\n") << "the display goes down last";
}

TEST_F(RunningApplicationTest, ExitCommandKeyEndsRunWithMinusOneInAWindowThatStaysActiveWithoutFocus)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    app.Handle(EventOf(EventType::KillFocus));
    EXPECT_TRUE(app.IsActive());
    app.onUpdate = [](int frame) {
        if (frame == 1) {
            platform::PushKey("F12", true);
            platform::PushKey("F12", false);
        }
    };
    EXPECT_EQ(app.Run(), -1);
    EXPECT_EQ(app.Count("KeyDown 123"), 0);
    EXPECT_EQ(app.Count("KeyUp 123"), 0);
}

TEST_F(RunningApplicationTest, WindowedFramesDrawThroughPaintOnePerUpdate)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    app.onUpdate = [](int frame) {
        if (frame == 4) {
            pump().PostQuit(5);
        }
    };
    EXPECT_EQ(app.Run(), 5);
    // The first paint is the one of window creation; then each frame is drawn once.
    std::vector<std::string> expected = {"Init",   "Render", "Update", "Render", "Update", "Render",
                                         "Update", "Render", "Update", "Exit"};
    EXPECT_EQ(app.calls, expected);
    for (float dt : app.steps) {
        EXPECT_GE(dt, frame_timing::kMinStepSeconds);
        EXPECT_LE(dt, frame_timing::kMaxStepSeconds);
    }
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

TEST_F(RunningApplicationTest, QuitTakenByPumpOneEventEndsTheNextRun)
{
    TestApplication app;
    ASSERT_TRUE(app.Create(config));
    while (app.PumpOneEvent()) {
    }
    pump().PostQuit(7);
    EXPECT_TRUE(app.PumpOneEvent());
    EXPECT_EQ(app.Run(), 7);
    EXPECT_EQ(app.Count("Update"), 0);
}

}  // namespace
