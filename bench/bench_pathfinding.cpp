// Speed of one computer figure's planning: an A* search across the whole board that spends the
// full expansion budget, then reads the path into a buffer the caller keeps.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "game/board/GameMap.h"
#include "game/steering/AStarSearch.h"

namespace {

// The controller's budget of expansions per planning.
constexpr int kStepBudget = 300;

std::byte standIn;

// The worst case: a crowd round the goal makes every way in dear, so the search spends its
// whole budget spreading over the board.
void CrowdTheGoal(GameMap& map)
{
    for (int column = 12; column <= 28; ++column) {
        for (int row = 22; row <= 31; ++row) {
            map.SetFigure(reinterpret_cast<GameModel*>(&standIn), column, row);
        }
    }
}

void BM_PlanAcrossTheBoard(benchmark::State& state)
{
    GameMap& map = GameMap::Instance();
    map.Clear();
    CrowdTheGoal(map);
    AStarSearch search(map);
    std::vector<Cell> path;
    path.reserve(AStarSearch::kMaxPathCells);
    int steps = 0;
    for (auto _ : state) {
        search.SetStart({8, 0});
        search.SetGoal({20, 31});
        int step = 0;
        while (step < kStepBudget && !search.Step()) {
            ++step;
        }
        steps = step;
        search.GetPath(path);
        benchmark::DoNotOptimize(path.data());
    }
    state.counters["path cells"] = static_cast<double>(path.size());
    state.counters["expansions"] = static_cast<double>(steps);
}
BENCHMARK(BM_PlanAcrossTheBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
