#include "app/MainProgram.h"

#include <cstdlib>

#include "app/Debug.h"
#include "app/GameState.h"
#include "app/KeyboardInput.h"
#include "platform/VirtualKeys.h"
#include "settings/SettingsManager.h"
#include "sprites/SpriteManager.h"
#include "util/Factory.h"

namespace {

// The exit status of an abnormal termination on the platform the game was first made for.
constexpr int kAbnormalTerminationStatus = 3;

}  // namespace

MainProgram::MainProgram() = default;
MainProgram::~MainProgram() = default;

bool MainProgram::SetGame(const std::string& name, int level)
{
    if (level == -1) {
        level = SettingsManager::Instance().GetInt("activeLevel", nullptr);
    }
    levelNumber = level;
    SpriteManager::Instance();
    // DoSetGame ends the previous game properly instead of dropping it.
    pendingGame = name;
    DoSetGame();
    return true;
}

void MainProgram::DoSetGame()
{
    DeleteGame();
    game = Factory<GameState>::Create(pendingGame);
    if (!game) {
        Debug::Instance().Fatal("MainProgram::DoSetGame: Unknown Project <%s>", pendingGame.c_str());
        std::_Exit(kAbnormalTerminationStatus);
    }
    game->Init(levelNumber);
    game->MouseMove(mouseX, mouseY);
    currentGame = pendingGame;
    pendingGame.clear();
}

bool MainProgram::Update(float dt)
{
    KeyboardInput::Instance().Update(dt);
    if (!pendingGame.empty()) {
        DoSetGame();
    }
    if (game) {
        game->Update(dt);
    }
    return true;
}

bool MainProgram::Render()
{
    if (!game) {
        return false;
    }
    game->Render();
    return true;
}

bool MainProgram::Shutdown()
{
    DeleteGame();
    SpriteManager::Instance().ReleaseAll();
    return true;
}

void MainProgram::DeleteGame()
{
    if (game) {
        game->Exit();
        game.reset();
    }
}

void MainProgram::KeyDown(int key)
{
    if (game) {
        // Auto-repeat of a held Escape must not reach the game: one press, one KeyDown.
        bool repeatedEscape = key == vk::kEscape && !escapeReleased;
        if (!repeatedEscape) {
            game->KeyDown(key);
            if (key == vk::kEscape) {
                escapeReleased = false;
            }
        }
    }
    KeyboardInput::Instance().KeyDown(key);
}

void MainProgram::KeyUp(int key)
{
    if (game) {
        game->KeyUp(key);
    }
    if (key == vk::kEscape) {
        escapeReleased = true;
    }
    KeyboardInput::Instance().KeyUp(key);
}

void MainProgram::MouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (game) {
        game->MouseMove(x, y);
    }
}

int MainProgram::DebugCommand(const std::string& command, int a, int b)
{
    return game ? game->DebugCommand(command, a, b) : 0;
}

bool MainProgram::IsGameReady() const
{
    return game && game->IsReady();
}
