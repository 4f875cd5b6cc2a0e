#include "game/steering/AStarSearch.h"

#include <algorithm>
#include <functional>

#include "app/Debug.h"
#include "game/board/GameMap.h"

AStarSearch::AStarSearch(const GameMap& board) : map(board)
{
    pool.reserve(kReservedRecords);
    open.reserve(kReservedRecords);
    firstListed.fill(-1);
    lastListed.fill(-1);
}

void AStarSearch::SetStart(Cell cell)
{
    // A figure standing on the very edge may report a cell just outside the grid.
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
    for (const Record& record : pool) {
        firstListed[CellIndex(record.cell)] = -1;
        lastListed[CellIndex(record.cell)] = -1;
    }
    pool.clear();
    open.clear();
    Add({start, 0.0f, GameMap::ManhattanDistance(start, goal)});
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
    const Cell cell = pool[current].cell;
    if (cell == goal) {
        done = true;
        return true;
    }
    const GameMap::Neighbourhood neighbours = map.Neighbours(cell);
    for (int i = 0; i < neighbours.count; ++i) {
        Expand(neighbours.cells[i]);
    }
    return false;
}

void AStarSearch::Expand(Cell neighbour)
{
    const Record& from = pool[current];
    const Record next{neighbour, from.g + map.StepCost(from.cell, neighbour), GameMap::ManhattanDistance(neighbour, goal),
                      current};
    const RecordIndex listed = FirstListedWith(neighbour);
    if (listed >= 0 && Before(next, pool[listed])) {
        // A record that others lead back through must stay, or their paths would break.
        if (IsParentOfAny(listed)) {
            return;
        }
        UnlistFirstOf(neighbour);
        RemoveOpenEntryOf(neighbour);
    }
    Add(next);
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
        path.push_back(pool[index].cell);
    }
}

bool AStarSearch::Before(const Record& a, const Record& b)
{
    const float fa = a.g + a.h;
    const float fb = b.g + b.h;
    if (fa != fb) {
        return fa < fb;
    }
    if (a.g != b.g) {
        return a.g > b.g;
    }
    return a.h < b.h;
}

bool AStarSearch::OpensAfter(RecordIndex a, RecordIndex b) const
{
    return Before(pool[b], pool[a]);
}

bool AStarSearch::IsParentOfAny(RecordIndex candidate) const
{
    return pool[candidate].childReferences > 0;
}

void AStarSearch::Add(const Record& record)
{
    const RecordIndex index = static_cast<RecordIndex>(pool.size());
    pool.push_back(record);
    const int cell = CellIndex(record.cell);
    if (firstListed[cell] < 0) {
        firstListed[cell] = index;
    } else {
        pool[lastListed[cell]].nextListed = index;
    }
    lastListed[cell] = index;
    ReferenceParent(record, 1);
    PushOpen(index);
}

void AStarSearch::UnlistFirstOf(Cell cell)
{
    const int at = CellIndex(cell);
    const Record& first = pool[firstListed[at]];
    ReferenceParent(first, -1);
    firstListed[at] = first.nextListed;
    if (firstListed[at] < 0) {
        lastListed[at] = -1;
    }
}

void AStarSearch::PushOpen(RecordIndex index)
{
    open.push_back(index);
    std::push_heap(open.begin(), open.end(), std::bind_front(&AStarSearch::OpensAfter, this));
    ReferenceParent(pool[index], 1);
}

AStarSearch::RecordIndex AStarSearch::PopOpen()
{
    std::pop_heap(open.begin(), open.end(), std::bind_front(&AStarSearch::OpensAfter, this));
    const RecordIndex index = open.back();
    open.pop_back();
    ReferenceParent(pool[index], -1);
    return index;
}

void AStarSearch::RemoveOpenEntryOf(Cell cell)
{
    const auto entry =
        std::find_if(open.begin(), open.end(), [this, cell](RecordIndex index) { return pool[index].cell == cell; });
    if (entry == open.end()) {
        return;
    }
    ReferenceParent(pool[*entry], -1);
    open.erase(entry);
    std::make_heap(open.begin(), open.end(), std::bind_front(&AStarSearch::OpensAfter, this));
}

AStarSearch::RecordIndex AStarSearch::FirstListedWith(Cell cell) const
{
    return firstListed[CellIndex(cell)];
}

void AStarSearch::ReferenceParent(const Record& record, int change)
{
    if (record.parent >= 0) {
        pool[record.parent].childReferences += change;
    }
}
