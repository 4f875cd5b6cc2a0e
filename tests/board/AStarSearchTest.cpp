#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "game/board/GameMap.h"
#include "game/steering/AStarSearch.h"

namespace {

constexpr int kStepBudget = 300;

std::byte standIn;
GameModel* const kFigure = reinterpret_cast<GameModel*>(&standIn);

class AStarSearchTest : public ::testing::Test {
protected:
    void SetUp() override { map.Clear(); }

    // Steps within the budget; the number of steps that returned false.
    int Plan(Cell from, Cell to)
    {
        search.SetStart(from);
        search.SetGoal(to);
        int unfinished = 0;
        while (unfinished < kStepBudget && !search.Step()) {
            ++unfinished;
        }
        return unfinished;
    }

    void ExpectWalkableChain(const std::vector<Cell>& path)
    {
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(path.back(), search.GetStart());
        for (size_t i = 1; i < path.size(); ++i) {
            EXPECT_TRUE(map.IsWalkable(path[i]));
            EXPECT_LE(std::abs(path[i].column - path[i - 1].column), 1);
            EXPECT_LE(std::abs(path[i].row - path[i - 1].row), 1);
            EXPECT_NE(path[i], path[i - 1]);
        }
    }

    GameMap& map = GameMap::Instance();
    AStarSearch search{map};
};

TEST_F(AStarSearchTest, ReachesAReachableGoalAfterAnEarlierSearch)
{
    Plan({8, 0}, {20, 31});
    EXPECT_EQ(Plan({2, 12}, {12, 12}), 10);
    EXPECT_TRUE(search.IsDone());
    const std::vector<Cell> path = search.GetPath();
    EXPECT_EQ(path.front(), (Cell{12, 12}));
    EXPECT_EQ(path.size(), 11u);
    ExpectWalkableChain(path);
}

TEST_F(AStarSearchTest, GoesRoundAFigureWhenTheDetourIsCheap)
{
    map.SetFigure(kFigure, 25, 12);
    Plan({22, 11}, {27, 11});
    ASSERT_TRUE(search.IsDone());
    const std::vector<Cell> path = search.GetPath();
    ExpectWalkableChain(path);
    for (const Cell& cell : path) {
        EXPECT_EQ(map.FigureAt(cell.column, cell.row), nullptr) << cell.column << "," << cell.row;
    }
}

TEST_F(AStarSearchTest, GoalOnABlockedCellBecomesTheStart)
{
    search.SetStart({10, 10});
    search.SetGoal({0, 0});
    EXPECT_EQ(search.GetGoal(), (Cell{10, 10}));
    EXPECT_TRUE(search.Step());
    EXPECT_EQ(search.GetPath(), (std::vector<Cell>{{10, 10}}));
}

TEST_F(AStarSearchTest, BudgetSpentOnAFarGoalLeavesAPathToTheLastExpandedCell)
{
    // A crowd round the goal makes every way in dear, so the search spreads out first.
    for (int column = 12; column <= 28; ++column) {
        for (int row = 22; row <= 31; ++row) {
            map.SetFigure(kFigure, column, row);
        }
    }
    EXPECT_EQ(Plan({8, 0}, {20, 31}), kStepBudget);
    EXPECT_FALSE(search.IsDone());
    std::vector<Cell> path;
    path.reserve(AStarSearch::kMaxPathCells);
    const Cell* buffer = path.data();
    search.GetPath(path);
    EXPECT_EQ(path.data(), buffer);
    EXPECT_NE(path.front(), search.GetGoal());
    ExpectWalkableChain(path);
}

}  // namespace
