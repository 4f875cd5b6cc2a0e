#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
    // Indices into the record pool stand for records: they stay valid as the pool grows.
    using RecordIndex = int;
    // The open order packed into one number, smaller first: the smaller estimate f = g + h, on a
    // tie the record further from the start. The estimate to the goal never decides beyond that:
    // with f and g equal, h is equal as well.
    using OpenKey = uint64_t;

    // Kept small: a planning makes thousands of them.
    struct Record {
        int cell = 0;
        float g = 0.0f;
        RecordIndex parent = -1;
        // The next listed record of the same cell, in creation order.
        RecordIndex nextListed = -1;
        // Listed records and open entries that name this record as their parent.
        int childReferences = 0;
        // Its entry in the open heap is live.
        bool inOpen = false;
    };
    // The key and cell travel with the index so the heap never reaches into the pool.
    struct OpenEntry {
        OpenKey key = 0;
        RecordIndex record = -1;
        int cell = 0;
    };
    struct OpensAfter {
        bool operator()(const OpenEntry& a, const OpenEntry& b) const { return a.key > b.key; }
    };
    static constexpr int kCellCount = board::kCells * board::kCells;

    static int CellIndex(Cell cell) { return board::kCells * cell.row + cell.column; }
    static Cell CellAt(int index) { return {index % board::kCells, index / board::kCells}; }
    static OpenKey MakeKey(float g, float h);
    void Restart();
    void Expand(Cell neighbour, Cell from);
    bool IsParentOfAny(RecordIndex candidate) const;
    void Add(const Record& record, OpenKey key);
    void UnlistFirstOf(int cell);
    void PushOpen(RecordIndex index, OpenKey key);
    RecordIndex PopOpen();
    void DropOpenEntry(RecordIndex index);
    RecordIndex FirstListedWith(int cell) const;
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
    // A binary heap, best entry on top.
    std::vector<OpenEntry> open;
    bool done = false;
};
