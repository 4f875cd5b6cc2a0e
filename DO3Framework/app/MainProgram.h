#pragma once

#include <memory>
#include <string>

#include "util/Singleton.h"

class GameState;

// Owns the one running game, creates it by name through Factory<GameState>, and hands it
// every frame, every drawing request and all input.
class MainProgram : public Singleton<MainProgram> {
public:
    MainProgram();
    ~MainProgram() override;

    // level -1 takes the level from the configuration key "activeLevel".
    bool SetGame(const std::string& name, int level);
    // Replaces the running game by the pending one; an unknown name ends the process.
    void DoSetGame();

    bool Update(float dt);
    bool Render();
    bool Shutdown();

    void KeyDown(int key);
    void KeyUp(int key);
    void MouseMove(int x, int y);
    int DebugCommand(const std::string& command, int a, int b);
    bool IsGameReady() const;

    GameState* Game() const { return game.get(); }
    int LevelNumber() const { return levelNumber; }
    const std::string& CurrentGame() const { return currentGame; }

private:
    void DeleteGame();

    int levelNumber = 0;
    std::unique_ptr<GameState> game;
    std::string pendingGame;
    std::string currentGame;
    int mouseX = 512;
    int mouseY = 384;
    bool escapeReleased = true;
};
