#include "game/steering/DumbComputerController.h"

#include <array>

#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/figures/GameModel.h"
#include "util/Randomizer.h"

namespace {

// Turns in eighths; straight on is the likeliest.
constexpr std::array<int, 11> kTurnOffsets = {-2, -1, -1, -1, 0, 0, 0, 1, 1, 1, 2};
constexpr int kLookAheadCells = 2;

}  // namespace

void DumbComputerController::Reset()
{
    direction = 0;
    turnTimer = 0.0f;
}

void DumbComputerController::Attach(GameModel* steered)
{
    figure = steered;
    Reset();
}

void DumbComputerController::Update(float dtSeconds)
{
    if (!figure) {
        return;
    }
    turnTimer -= dtSeconds;
    const Cell here = figure->GetCell();
    const Cell ahead{here.column + kLookAheadCells * step.column, here.row + kLookAheadCells * step.row};
    if (!GameMap::Instance().IsWalkable(ahead)) {
        Turn(4);
    } else if (turnTimer < 0.0f) {
        Turn(0);
    }
}

void DumbComputerController::Turn(int halfTurns)
{
    const int offset = kTurnOffsets[static_cast<size_t>(Randomizer::Instance().Pick(static_cast<int>(kTurnOffsets.size())))];
    direction = (direction + offset + halfTurns + direction::kCount) % direction::kCount;
    figure->SetDirection(direction);
    step = direction::CellStep(direction);
    turnTimer = kTurnSeconds;
}
