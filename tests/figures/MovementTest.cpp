#include <cmath>

#include "figures/FigureTestSupport.h"

namespace {

constexpr const char* kBrisk = "\"maximum Speed\" 0.25\n\"Accelleration Time\" 0";
constexpr int kSouthEast = 3;
constexpr int kNorthWest = 7;

}  // namespace

TEST_F(FigureTest, FigureAcceleratesToMaximumSpeedOverTheAccelerationTimeAndBrakesAlike)
{
    DwarfModel& dwarf = AddDwarf(At(16, 11), "\"maximum Speed\" 0.25\n\"Accelleration Time\" 0.25");
    dwarf.SetDirection(direction::kEast);
    dwarf.Update(kFrame);
    EXPECT_FLOAT_EQ(dwarf.GetVelocity().column, 0.125f);
    Run(dwarf, 0.5f);
    EXPECT_FLOAT_EQ(dwarf.GetVelocity().column, 0.25f);
    EXPECT_EQ(dwarf.GetVelocity().row, 0.0f);
    dwarf.SetDirection(direction::kStand);
    dwarf.Update(kFrame);
    EXPECT_FLOAT_EQ(dwarf.GetVelocity().column, 0.125f);
    Run(dwarf, 0.25f);
    EXPECT_TRUE(dwarf.GetVelocity().IsZero());
}

TEST_F(FigureTest, DiagonalSpeedSplitsOverBothAxesAndTheStepScalesWithDepth)
{
    DwarfModel& dwarf = AddDwarf(At(20, 8), kBrisk);
    dwarf.SetDepthCorrection({0.5f, 1.0f});
    const BoardPoint start = dwarf.GetPosition();
    dwarf.SetDirection(kSouthEast);
    dwarf.Update(kFrame);
    const float perAxis = std::sqrt(0.25f * 0.25f / 2.0f);
    EXPECT_FLOAT_EQ(dwarf.GetVelocity().column, perAxis);
    EXPECT_FLOAT_EQ(dwarf.GetVelocity().row, perAxis);
    // Row 8 is a quarter down the board: 0.5 + 1.0 x 0.25.
    const float step = perAxis * 0.75f * kFrame;
    EXPECT_NEAR(dwarf.GetPosition().column - start.column, step, 1e-6f);
    EXPECT_NEAR(dwarf.GetPosition().row - start.row, step, 1e-6f);
}

TEST_F(FigureTest, FigureStopsAtTheBoardEdgeAndAtBlockedCellsButSlidesAlongThem)
{
    DwarfModel& dwarf = AddDwarf(At(0.1f, 11), kBrisk);
    dwarf.SetDirection(direction::kWest);
    dwarf.Update(kFrame);
    EXPECT_FALSE(dwarf.HasMoved());
    dwarf.SetDirection(kNorthWest);
    dwarf.Update(kFrame);
    EXPECT_TRUE(dwarf.HasMoved());
    EXPECT_EQ(dwarf.GetPosition().column, At(0.1f, 11).column);
    EXPECT_LT(dwarf.GetPosition().row, At(0.1f, 11).row);

    // Row 15 is blocked from column 10 to 16.
    const BoardPoint nearWall = At(13, 14.9f);
    dwarf.SetPosition(nearWall);
    dwarf.SetDirection(direction::kSouth);
    dwarf.Update(kFrame);
    EXPECT_FALSE(dwarf.HasMoved());
    dwarf.SetDirection(kSouthEast);
    dwarf.Update(kFrame);
    EXPECT_GT(dwarf.GetPosition().column, nearWall.column);
    EXPECT_EQ(dwarf.GetPosition().row, nearWall.row);
}

TEST_F(FigureTest, FiguresKeepTheirCollisionRadiiApartUntilTheLyingOneFadesButMayMoveApart)
{
    // Two dwarfs of size 1 keep two cells apart; a step here is more than one cell.
    DwarfModel& mover = AddDwarf(At(10, 11), kBrisk);
    DwarfModel& other = AddDwarf(At(12.5f, 11), kBrisk);
    mover.SetDirection(direction::kEast);
    mover.Update(kFrame);
    EXPECT_FALSE(mover.HasMoved());
    other.SetState(GameModel::kFall);
    mover.Update(kFrame);
    EXPECT_FALSE(mover.HasMoved());
    Run(other, 1.5f);
    mover.Update(kFrame);
    EXPECT_TRUE(mover.HasMoved());

    // A newcomer overlapping it, as after a crowded respawn.
    mover.SetPosition(At(20, 11));
    AddDwarf(At(21, 11));
    mover.Update(kFrame);
    EXPECT_FALSE(mover.HasMoved());
    mover.SetDirection(direction::kWest);
    mover.Update(kFrame);
    EXPECT_TRUE(mover.HasMoved());
}

TEST_F(FigureTest, StrikeConeReachesStraightAheadToTheFullReachButNotFortyFiveDegreesOff)
{
    DwarfModel& striker = AddDwarf(At(16, 12));
    const DwarfModel& ahead = AddDwarf(At(20, 12));
    const DwarfModel& aside = AddDwarf(At(18.5f, 14.5f));
    striker.SetFacing(direction::kEast);
    EXPECT_TRUE(striker.CanHit(ahead, 4.0f));
    EXPECT_FALSE(striker.CanHit(ahead, 3.9f));
    EXPECT_FALSE(striker.CanHit(aside, 4.0f));
    striker.SetFacing(kSouthEast);
    EXPECT_TRUE(striker.CanHit(aside, 4.0f));
}
