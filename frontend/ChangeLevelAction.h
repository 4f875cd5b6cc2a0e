#pragma once

#include "frontend/ButtonAction.h"

class GameState;

// Switches the game to another level by number (the numbers of the game's level table).
class ChangeLevelAction : public ButtonAction {
public:
    // The game is borrowed; it owns the level that owns the button holding this action.
    ChangeLevelAction(int level, GameState* game);

    void Execute() override;
    int GetLevel() const { return level; }

private:
    int level;
    GameState* game;
};
