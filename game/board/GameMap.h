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
    static constexpr int Index(int column, int row) { return kSize * row + column; }
    static bool IsInside(int column, int row);
    bool IsFree(int column, int row) const;
    Cell ScanForFreeCell() const;

    std::array<int, kSize * kSize> walk{};
    std::array<BonusItem*, kSize * kSize> items{};
    std::array<GameModel*, kSize * kSize> figures{};
    QMMainLevel* level = nullptr;
};
