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
    // Duplicates of a cell share the expansion of its first listed record.
    current = FirstListedWith(pool[PopOpen()].cell);
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
        RemoveOpenEntryOf(cell);
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
    ReferenceParent(pool[index], 1);
}

AStarSearch::RecordIndex AStarSearch::PopOpen()
{
    std::pop_heap(open.begin(), open.end(), OpensAfter{});
    const RecordIndex index = open.back().record;
    open.pop_back();
    ReferenceParent(pool[index], -1);
    return index;
}

void AStarSearch::RemoveOpenEntryOf(int cell)
{
    const auto entry = std::find_if(open.begin(), open.end(), [cell](const OpenEntry& e) { return e.cell == cell; });
    if (entry == open.end()) {
        return;
    }
    ReferenceParent(pool[entry->record], -1);
    const auto position = entry - open.begin();
    *entry = open.back();
    open.pop_back();
    if (position < std::ssize(open)) {
        // The entry moved into the hole may belong above it or below it.
        std::push_heap(open.begin(), open.begin() + position + 1, OpensAfter{});
        SiftDown(static_cast<size_t>(position));
    }
}

void AStarSearch::SiftDown(size_t position)
{
    const OpensAfter opensAfter;
    for (size_t child = 2 * position + 1; child < open.size(); child = 2 * position + 1) {
        if (child + 1 < open.size() && opensAfter(open[child], open[child + 1])) {
            ++child;
        }
        if (!opensAfter(open[position], open[child])) {
            return;
        }
        std::swap(open[position], open[child]);
        position = child;
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
