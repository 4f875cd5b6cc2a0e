#include "game/board/GameMap.h"

#include <algorithm>
#include <cstdlib>

#include "app/Debug.h"
#include "game/figures/GameModel.h"
#include "game/level/QMMainLevel.h"
#include "util/Randomizer.h"

GameMap::GameMap()
{
    Clear();
}

void GameMap::Clear()
{
    figures.fill(nullptr);
    items.fill(nullptr);
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            walk[Index(column, row)] = board::IsBlocked(column, row) ? 0 : 1;
        }
    }
}

void GameMap::SetFigure(GameModel* figure, int column, int row)
{
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (IsInside(c, r)) {
                figures[Index(c, r)] = figure;
            }
        }
    }
}

void GameMap::SetItem(BonusItem* item, int column, int row)
{
    if (IsInside(column, row)) {
        items[Index(column, row)] = item;
    }
}

BonusItem* GameMap::ItemAt(int column, int row) const
{
    return IsInside(column, row) ? items[Index(column, row)] : nullptr;
}

BoardPoint GameMap::CellToPosition(Cell cell)
{
    return {static_cast<float>(cell.column) / kSize, static_cast<float>(cell.row) / kSize};
}

bool GameMap::IsFree(int column, int row) const
{
    return IsWalkable(column, row) && FigureAt(column, row) == nullptr && ItemAt(column, row) == nullptr;
}

Cell GameMap::RandomFreeCell() const
{
    Randomizer& random = Randomizer::Instance();
    for (int draw = 0; draw < kRandomFreeCellDraws; ++draw) {
        const int column = random.Rand() % kSize;
        const int row = random.Rand() % kSize;
        if (IsFree(column, row)) {
            return {column, row};
        }
    }
    return ScanForFreeCell();
}

Cell GameMap::ScanForFreeCell() const
{
    constexpr int kCellCount = kSize * kSize;
    const int first = Randomizer::Instance().Rand() % kCellCount;
    Cell walkable = kNoCell;
    for (int offset = 0; offset < kCellCount; ++offset) {
        const int index = (first + offset) % kCellCount;
        const int column = index % kSize;
        const int row = index / kSize;
        if (IsFree(column, row)) {
            return {column, row};
        }
        if (walkable == kNoCell && IsWalkable(column, row)) {
            walkable = {column, row};
        }
    }
    return walkable;
}

Cell GameMap::RespawnCell() const
{
    if (level == nullptr) {
        return kNoCell;
    }
    const std::vector<GameModel*>& inPlay = level->GetActiveFigures();
    Cell cell = kNoCell;
    for (int attempt = 0; attempt < kRespawnAttempts; ++attempt) {
        cell = RandomFreeCell();
        const auto farEnough = [cell](const GameModel* figure) {
            return CellDistanceSquared(figure->GetCell(), cell) >= kRespawnClearanceSquared;
        };
        if (std::all_of(inPlay.begin(), inPlay.end(), farEnough)) {
            return cell;
        }
    }
    Debug::Instance().Warning("Respawn count exceeded\n");
    return cell;
}

void GameMap::OpenDoor()
{
    for (int row = 0; row <= board::kDoorLastRow; ++row) {
        for (int column = board::kDoorFirstColumn; column <= board::kDoorLastColumn; ++column) {
            walk[Index(column, row)] = 1;
        }
    }
}

void GameMap::CloseDoor()
{
    for (int row = 0; row <= board::kDoorLastRow; ++row) {
        for (int column = board::kDoorFirstColumn; column <= board::kDoorLastColumn; ++column) {
            if (figures[Index(column, row)] == nullptr) {
                walk[Index(column, row)] = 0;
            }
        }
    }
}
