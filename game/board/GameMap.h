#pragma once

#include <array>

#include "game/board/BoardLayout.h"
#include "game/board/BoardPoint.h"
#include "util/Singleton.h"

class BonusItem;
class GameModel;
class QMMainLevel;

// The grid of the playing field: which cells can be walked on, which figure covers and which
// item lies on each cell, and the cell arithmetic that movement, items, respawning and path
// finding share. It also carries the current main level to figures and items. It owns neither
// figures nor items.
class GameMap : public Singleton<GameMap> {
public:
    static constexpr int kSize = board::kCells;
    static constexpr Cell kNoCell{-1, -1};
    static constexpr int kMaxNeighbours = 8;
    // A respawned figure keeps at least sqrt(90), about 9.5 cells, from every figure in play.
    static constexpr float kRespawnClearanceSquared = 90.0f;
    static constexpr int kRespawnAttempts = 50;
    // Random draws before RandomFreeCell falls back to scanning the board.
    static constexpr int kRandomFreeCellDraws = 4096;

    struct Neighbourhood {
        std::array<Cell, kMaxNeighbours> cells{};
        int count = 0;
    };

    GameMap();

    // Empties the figure and item grids and loads the layout into the walk grid.
    void Clear();
    bool IsWalkable(int column, int row) const;
    bool IsWalkable(Cell cell) const { return IsWalkable(cell.column, cell.row); }
    // Writes the figure (or null) into the cell and its eight neighbours inside the grid.
    void SetFigure(GameModel* figure, int column, int row);
    GameModel* FigureAt(int column, int row) const;
    void SetItem(BonusItem* item, int column, int row);
    BonusItem* ItemAt(int column, int row) const;

    // The walkable neighbours inside the grid, in the fixed neighbour order.
    Neighbourhood Neighbours(Cell cell) const;
    float StepCost(Cell from, Cell to) const;
    static float ManhattanDistance(Cell a, Cell b);
    static float CellDistanceSquared(Cell a, Cell b);
    static float PositionDistanceSquared(BoardPoint a, BoardPoint b);
    static Cell PositionToCell(BoardPoint position);
    // A cell's position as figures stand on it.
    static BoardPoint CellToPosition(Cell cell);

    // A walkable cell without figure or item, drawn at random; on a crowded board the first
    // free cell of a scan from a random start, and a merely walkable one if none is free.
    Cell RandomFreeCell() const;
    // A free cell far from every figure in play; kNoCell when there is no level.
    Cell RespawnCell() const;
    // The hunter's door lane.
    void OpenDoor();
    void CloseDoor();

    QMMainLevel* GetLevel() const { return level; }
    void SetLevel(QMMainLevel* mainLevel) { level = mainLevel; }

private:
    static constexpr std::array<Cell, kMaxNeighbours> kNeighbourOffsets = {{
        {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1},
    }};
    static constexpr float kStraightStepCost = 1.0f;
    static constexpr float kDiagonalStepCost = 1.4142f;
    static constexpr float kBlockedStepCost = 10.0f;
    static constexpr float kFigureStepPenalty = 6.0f;

    static constexpr int Index(int column, int row) { return kSize * row + column; }
    static bool IsInside(int column, int row) { return column >= 0 && row >= 0 && column < kSize && row < kSize; }
    bool IsFree(int column, int row) const;
    Cell ScanForFreeCell() const;

    std::array<int, kSize * kSize> walk{};
    std::array<BonusItem*, kSize * kSize> items{};
    std::array<GameModel*, kSize * kSize> figures{};
    QMMainLevel* level = nullptr;
};

// The cell arithmetic runs thousands of times per path search: defined here to be inlined.

inline bool GameMap::IsWalkable(int column, int row) const
{
    return IsInside(column, row) && walk[Index(column, row)] == 1;
}

inline GameMap::Neighbourhood GameMap::Neighbours(Cell cell) const
{
    Neighbourhood result;
    for (const Cell& offset : kNeighbourOffsets) {
        const Cell next{cell.column + offset.column, cell.row + offset.row};
        if (IsWalkable(next)) {
            result.cells[static_cast<size_t>(result.count++)] = next;
        }
    }
    return result;
}

inline GameModel* GameMap::FigureAt(int column, int row) const
{
    return IsInside(column, row) ? figures[Index(column, row)] : nullptr;
}

inline float GameMap::StepCost(Cell from, Cell to) const
{
    float cost = (from.column == to.column || from.row == to.row) ? kStraightStepCost : kDiagonalStepCost;
    if (!IsWalkable(to)) {
        cost = kBlockedStepCost;
    }
    if (FigureAt(to.column, to.row) != nullptr) {
        cost += kFigureStepPenalty;
    }
    return cost;
}

inline float GameMap::ManhattanDistance(Cell a, Cell b)
{
    const int columns = a.column > b.column ? a.column - b.column : b.column - a.column;
    const int rows = a.row > b.row ? a.row - b.row : b.row - a.row;
    return static_cast<float>(columns + rows);
}

inline float GameMap::CellDistanceSquared(Cell a, Cell b)
{
    const int columns = a.column - b.column;
    const int rows = a.row - b.row;
    return static_cast<float>(columns * columns + rows * rows);
}

inline float GameMap::PositionDistanceSquared(BoardPoint a, BoardPoint b)
{
    const BoardPoint difference = a - b;
    return difference.column * difference.column + difference.row * difference.row;
}

inline Cell GameMap::PositionToCell(BoardPoint position)
{
    return {static_cast<int>(position.column * kSize), static_cast<int>(position.row * kSize)};
}
