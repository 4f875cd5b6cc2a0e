#pragma once

#include "game/steering/DwarfController.h"

// Turns the arrow keys, Space or Ctrl and S into the player's dwarf's steps, strikes and calls.
class PlayerController : public DwarfController {
public:
    ~PlayerController() override;

    void Reset() override { charging = false; }
    void Attach(GameModel* steered) override;
    void Update(float dtSeconds) override;

private:
    GameModel* figure = nullptr;
    bool charging = false;
};
