#include "app/MainProgramInput.h"

#include "app/GameState.h"
#include "app/MainProgram.h"

namespace {

GameState* RunningGame()
{
    return MainProgram::Instance().Game();
}

}  // namespace

void MainProgramInput::KeyDown(int key)
{
    MainProgram::Instance().KeyDown(key);
}

void MainProgramInput::KeyUp(int key)
{
    MainProgram::Instance().KeyUp(key);
}

void MainProgramInput::Char(int code)
{
    if (GameState* game = RunningGame()) {
        game->Char(code);
    }
}

void MainProgramInput::MouseMove(int x, int y)
{
    MainProgram::Instance().MouseMove(x, y);
}

void MainProgramInput::MouseButtonDown(int x, int y, bool doubleClick)
{
    if (GameState* game = RunningGame()) {
        game->MouseButtonDown(x, y, doubleClick);
    }
}

void MainProgramInput::LeftButtonUp(int x, int y)
{
    if (GameState* game = RunningGame()) {
        game->LeftButtonUp(x, y);
    }
}

void MainProgramInput::RightButtonDown(int x, int y)
{
    if (GameState* game = RunningGame()) {
        game->RightButtonDown(x, y);
    }
}

void MainProgramInput::RightButtonUp(int x, int y)
{
    if (GameState* game = RunningGame()) {
        game->RightButtonUp(x, y);
    }
}

int MainProgramInput::DebugCommand(const std::string& command, int a, int b)
{
    return MainProgram::Instance().DebugCommand(command, a, b);
}
