#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "game/board/GameMap.h"
#include "util/Randomizer.h"

namespace {

// The map only stores and compares these pointers, so any distinct addresses will do.
std::byte standIns[2];
GameModel* const kFigure = reinterpret_cast<GameModel*>(&standIns[0]);
BonusItem* const kItem = reinterpret_cast<BonusItem*>(&standIns[1]);

class GameMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        map.Clear();
        map.SetLevel(nullptr);
        Randomizer::Instance().Seed(1234);
    }

    // How many cells of the rectangle pass the check.
    template <class Check>
    int Count(Cell first, Cell last, Check check) const
    {
        int count = 0;
        for (int row = first.row; row <= last.row; ++row) {
            for (int column = first.column; column <= last.column; ++column) {
                count += check(column, row) ? 1 : 0;
            }
        }
        return count;
    }

    GameMap& map = GameMap::Instance();
};

TEST_F(GameMapTest, WalkabilityNeighbourOrderAndCellArithmetic)
{
    EXPECT_FALSE(map.IsWalkable(-1, 5));
    EXPECT_FALSE(map.IsWalkable(32, 5));
    EXPECT_FALSE(map.IsWalkable(5, 32));
    EXPECT_TRUE(map.IsWalkable(0, 8));
    EXPECT_FALSE(map.IsWalkable(0, 7));

    // In the fixed order, without the cells off the grid or blocked.
    const auto neighbours = [this](Cell cell) {
        const GameMap::Neighbourhood found = map.Neighbours(cell);
        return std::vector<Cell>(found.cells.begin(), found.cells.begin() + found.count);
    };
    EXPECT_EQ(neighbours({0, 8}), (std::vector<Cell>{{0, 9}, {1, 9}, {1, 8}, {1, 7}}));
    EXPECT_EQ(neighbours({10, 11}),
              (std::vector<Cell>{{10, 10}, {9, 10}, {9, 11}, {9, 12}, {10, 12}, {11, 12}, {11, 11}, {11, 10}}));

    EXPECT_EQ(GameMap::PositionToCell({0.999f, 0.0f}), (Cell{31, 0}));
    EXPECT_EQ(GameMap::PositionToCell(GameMap::CellToPosition({17, 29})), (Cell{17, 29}));
}

TEST_F(GameMapTest, FigureCoversOnlyTheGridPartOfItsFootprint)
{
    map.SetFigure(kFigure, 0, 0);
    EXPECT_EQ(Count({0, 0}, {31, 31}, [this](int c, int r) { return map.FigureAt(c, r) != nullptr; }), 4);
    EXPECT_EQ(map.FigureAt(1, 1), kFigure);
    EXPECT_EQ(map.FigureAt(-1, -1), nullptr);

    map.SetFigure(nullptr, 0, 0);
    EXPECT_EQ(map.FigureAt(0, 0), nullptr);
}

TEST_F(GameMapTest, StepCostChargesDiagonalsBlockedCellsAndFigures)
{
    EXPECT_FLOAT_EQ(map.StepCost({10, 10}, {10, 11}), 1.0f);
    EXPECT_FLOAT_EQ(map.StepCost({3, 3}, {4, 4}), 1.4142f);
    map.SetFigure(kFigure, 5, 5);
    EXPECT_FLOAT_EQ(map.StepCost({3, 3}, {4, 4}), 7.4142f);
    map.SetFigure(kFigure, 3, 3);
    EXPECT_FLOAT_EQ(map.StepCost({4, 4}, {3, 3}), 16.0f);
}

TEST_F(GameMapTest, RandomFreeCellAvoidsFiguresAndItemsAndEndsOnACrowdedBoard)
{
    map.SetFigure(kFigure, 20, 11);
    map.SetItem(kItem, 5, 12);
    for (int draw = 0; draw < 500; ++draw) {
        const Cell cell = map.RandomFreeCell();
        ASSERT_TRUE(map.IsWalkable(cell));
        ASSERT_EQ(map.FigureAt(cell.column, cell.row), nullptr);
        ASSERT_EQ(map.ItemAt(cell.column, cell.row), nullptr);
    }

    for (int index = 0; index < GameMap::kSize * GameMap::kSize; ++index) {
        map.SetItem(kItem, index % GameMap::kSize, index / GameMap::kSize);
    }
    map.SetItem(nullptr, 20, 14);
    EXPECT_EQ(map.RandomFreeCell(), (Cell{20, 14}));
    map.SetItem(kItem, 20, 14);
    EXPECT_TRUE(map.IsWalkable(map.RandomFreeCell()));
}

TEST_F(GameMapTest, DoorClosesOnlyWhereNoFigureStands)
{
    const auto doorCellsOpen = [this] {
        return Count({board::kDoorFirstColumn, 0}, {board::kDoorLastColumn, board::kDoorLastRow},
                     [this](int c, int r) { return map.IsWalkable(c, r); });
    };
    EXPECT_EQ(doorCellsOpen(), 18);

    map.SetFigure(kFigure, 15, 3);
    map.CloseDoor();
    EXPECT_EQ(doorCellsOpen(), 9);
    EXPECT_FALSE(map.IsWalkable(15, 0));
    EXPECT_TRUE(map.IsWalkable(15, 3));
    EXPECT_TRUE(map.IsWalkable(13, 0));

    map.OpenDoor();
    EXPECT_EQ(doorCellsOpen(), 18);
}

TEST_F(GameMapTest, RespawnNeedsALevel)
{
    EXPECT_EQ(map.RespawnCell(), GameMap::kNoCell);
}

}  // namespace
