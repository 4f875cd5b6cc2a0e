#pragma once

#include "game/board/BoardPoint.h"
#include "game/steering/DwarfController.h"

// Wanders at random: turns about when a wall is two cells ahead, and otherwise changes its
// way by up to two eighths once a second. The dizzy item lends it to a dwarf for a while.
class DumbComputerController : public DwarfController {
public:
    static constexpr float kTurnSeconds = 1.0f;

    void Reset() override;
    void Attach(GameModel* steered) override;
    void Update(float dtSeconds) override;

    int GetDirection() const { return direction; }

private:
    void Turn(int halfTurns);

    float turnTimer = 0.0f;
    GameModel* figure = nullptr;
    Cell step;
    int direction = 0;
};
