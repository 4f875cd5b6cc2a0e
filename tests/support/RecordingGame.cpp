#include "support/RecordingGame.h"

#include <algorithm>

#include "util/Factory.h"

QM_REGISTER_CLASS(GameState, RecordingGame);

RecordingGame::RecordingGame() { Record("Construct"); }
RecordingGame::~RecordingGame() { Record("Destroy"); }

void RecordingGame::Init(int level)
{
    Record("Init " + std::to_string(level));
    ready = true;
}

void RecordingGame::Exit()
{
    Record("Exit");
    ready = false;
}

void RecordingGame::Update(float) { Record("Update"); }
void RecordingGame::Render() { Record("Render"); }
void RecordingGame::KeyDown(int key) { Record("KeyDown " + std::to_string(key)); }
void RecordingGame::KeyUp(int key) { Record("KeyUp " + std::to_string(key)); }
void RecordingGame::Char(int code) { Record("Char " + std::to_string(code)); }

void RecordingGame::MouseButtonDown(int x, int y, bool doubleClick)
{
    Record("MouseButtonDown " + std::to_string(x) + " " + std::to_string(y) + (doubleClick ? " double" : ""));
}

void RecordingGame::LeftButtonUp(int x, int y)
{
    Record("LeftButtonUp " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingGame::MouseMove(int x, int y)
{
    Record("MouseMove " + std::to_string(x) + " " + std::to_string(y));
}

int RecordingGame::DebugCommand(const std::string& command, int a, int b)
{
    Record("DebugCommand " + command);
    return a + b;
}

std::vector<std::string>& RecordingGame::Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

int RecordingGame::Count(const std::string& call)
{
    return static_cast<int>(std::count(Calls().begin(), Calls().end(), call));
}
