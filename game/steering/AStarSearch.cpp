#include "game/steering/AStarSearch.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <utility>

#include "app/Debug.h"
#include "game/board/GameMap.h"

AStarSearch::AStarSearch(const GameMap& board) : map(board)
{
    pool.reserve(kReservedRecords);
    open.reserve(kReservedRecords);
}

void AStarSearch::SetStart(Cell cell)
{
    // The per-cell tables know only cells inside the grid.
    start = {std::clamp(cell.column, 0, board::kCells - 1), std::clamp(cell.row, 0, board::kCells - 1)};
    Restart();
}

void AStarSearch::SetGoal(Cell cell)
{
    goal = map.IsWalkable(cell) ? cell : start;
    Restart();
}

void AStarSearch::Restart()
{
    firstListed.fill(-1);
    lastListed.fill(-1);
    pool.clear();
    open.clear();
    Add({CellIndex(start)}, MakeKey(0.0f, GameMap::ManhattanDistance(start, goal)));
    current = 0;
    done = start == goal;
}

bool AStarSearch::Step()
{
    if (open.empty() || done) {
        return true;
    }
    const RecordIndex best = PopOpen();
    if (best < 0) {
        return true;
    }
    current = best;
    const Cell cell = CellAt(pool[current].cell);
    if (cell == goal) {
        done = true;
        return true;
    }
    const GameMap::Neighbourhood neighbours = map.Neighbours(cell);
    for (int i = 0; i < neighbours.count; ++i) {
        Expand(neighbours.cells[i], cell);
    }
    return false;
}

void AStarSearch::Expand(Cell neighbour, Cell from)
{
    const int cell = CellIndex(neighbour);
    const float g = pool[current].g + map.StepCost(from, neighbour);
    const RecordIndex listed = FirstListedWith(cell);
    if (listed >= 0) {
        // Records of one cell share their estimate, so the cost from the start decides.
        // A cell that already has a record as good keeps it alone: a second one would be
        // expanded again and again, two cells making each other for ever.
        // A record that others lead back through must stay, or their paths would break.
        if (!(g < pool[listed].g) || IsParentOfAny(listed)) {
            return;
        }
        UnlistFirstOf(cell);
        DropOpenEntry(listed);
    }
    Add({cell, g, current}, MakeKey(g, GameMap::ManhattanDistance(neighbour, goal)));
}

std::vector<Cell> AStarSearch::GetPath() const
{
    std::vector<Cell> path;
    GetPath(path);
    return path;
}

void AStarSearch::GetPath(std::vector<Cell>& path) const
{
    path.clear();
    for (RecordIndex index = current; index >= 0; index = pool[index].parent) {
        if (path.size() == kMaxPathCells) {
            Debug::Instance().Log("Path Overrun\n");
            return;
        }
        path.push_back(CellAt(pool[index].cell));
    }
}

AStarSearch::OpenKey AStarSearch::MakeKey(float g, float h)
{
    // Costs are never negative, so their bit patterns order like the numbers themselves.
    const OpenKey f = std::bit_cast<uint32_t>(g + h);
    return f << 32 | static_cast<uint32_t>(~std::bit_cast<uint32_t>(g));
}

bool AStarSearch::IsParentOfAny(RecordIndex candidate) const
{
    return pool[candidate].childReferences > 0;
}

void AStarSearch::Add(const Record& record, OpenKey key)
{
    const RecordIndex index = static_cast<RecordIndex>(pool.size());
    pool.push_back(record);
    const int cell = record.cell;
    if (firstListed[cell] < 0) {
        firstListed[cell] = index;
    } else {
        pool[lastListed[cell]].nextListed = index;
    }
    lastListed[cell] = index;
    ReferenceParent(record, 1);
    PushOpen(index, key);
}

void AStarSearch::UnlistFirstOf(int cell)
{
    const Record& first = pool[firstListed[cell]];
    ReferenceParent(first, -1);
    firstListed[cell] = first.nextListed;
    if (firstListed[cell] < 0) {
        lastListed[cell] = -1;
    }
}

void AStarSearch::PushOpen(RecordIndex index, OpenKey key)
{
    open.push_back({key, index, pool[index].cell});
    std::push_heap(open.begin(), open.end(), OpensAfter{});
    pool[index].inOpen = true;
    ReferenceParent(pool[index], 1);
}

AStarSearch::RecordIndex AStarSearch::PopOpen()
{
    while (!open.empty()) {
        std::pop_heap(open.begin(), open.end(), OpensAfter{});
        const RecordIndex index = open.back().record;
        open.pop_back();
        // Entries of replaced records are dropped here rather than searched for at once.
        if (pool[index].inOpen) {
            pool[index].inOpen = false;
            ReferenceParent(pool[index], -1);
            return index;
        }
    }
    return -1;
}

void AStarSearch::DropOpenEntry(RecordIndex index)
{
    if (pool[index].inOpen) {
        pool[index].inOpen = false;
        ReferenceParent(pool[index], -1);
    }
}

AStarSearch::RecordIndex AStarSearch::FirstListedWith(int cell) const
{
    return firstListed[cell];
}

void AStarSearch::ReferenceParent(const Record& record, int change)
{
    if (record.parent >= 0) {
        pool[record.parent].childReferences += change;
    }
}
