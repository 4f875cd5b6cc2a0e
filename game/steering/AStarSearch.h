#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "game/board/BoardLayout.h"
#include "game/board/BoardPoint.h"

class GameMap;

// A* over the cells of the board map, run step by step so the caller bounds the work. Cells
// covered by figures cost extra, so paths go round figures when the detour is cheap.
class AStarSearch {
public:
    static constexpr int kMaxPathCells = 60;
    static constexpr size_t kReservedRecords = 2048;

    explicit AStarSearch(const GameMap& map);

    // Both restart the search; a goal on a blocked cell becomes the start cell.
    void SetStart(Cell cell);
    void SetGoal(Cell cell);
    // One expansion; true once the goal is reached or nothing is left to expand.
    bool Step();
    // Goal (or the cell expanded last) first, start last; at most kMaxPathCells cells.
    std::vector<Cell> GetPath() const;
    // The same into a buffer the caller keeps, so planning does not allocate.
    void GetPath(std::vector<Cell>& path) const;

    Cell GetStart() const { return start; }
    Cell GetGoal() const { return goal; }
    bool IsDone() const { return done; }

private:
    struct Record {
        Cell cell;
        float g = 0.0f;
        float h = 0.0f;
        int parent = -1;
        // The next listed record of the same cell, in creation order.
        int nextListed = -1;
        // Listed records and open entries that name this record as their parent.
        int childReferences = 0;
    };
    // Indices into the record pool stand for records: they stay valid as the pool grows.
    using RecordIndex = int;
    static constexpr int kCellCount = board::kCells * board::kCells;

    static int CellIndex(Cell cell) { return board::kCells * cell.row + cell.column; }
    static bool Before(const Record& a, const Record& b);
    // The open heap's order: the record expanded first sits on top.
    bool OpensAfter(RecordIndex a, RecordIndex b) const;
    void Restart();
    void Expand(Cell neighbour);
    bool IsParentOfAny(RecordIndex candidate) const;
    void Add(const Record& record);
    void UnlistFirstOf(Cell cell);
    void PushOpen(RecordIndex index);
    RecordIndex PopOpen();
    void RemoveOpenEntryOf(Cell cell);
    RecordIndex FirstListedWith(Cell cell) const;
    void ReferenceParent(const Record& record, int change);

    const GameMap& map;
    RecordIndex current = -1;
    Cell start;
    Cell goal;
    // Every record made since the restart. The listed ones (all but those replaced by a cheaper
    // record of their cell) are chained per cell, so finding a cell's first one takes no search.
    std::vector<Record> pool;
    std::array<RecordIndex, kCellCount> firstListed{};
    std::array<RecordIndex, kCellCount> lastListed{};
    std::vector<RecordIndex> open;
    bool done = false;
};
