#include "figures/FigureTestSupport.h"

TEST_F(FigureTest, DwarfHoldingLongerThanForceMaxLowersItsBoardWithoutABlow)
{
    AddStrip("tabor_schlag_E");
    DwarfModel& striker = AddDwarf(At(16, 12));
    const DwarfModel& victim = AddDwarf(At(18, 12), "", "marlo");
    striker.SetFacing(direction::kEast);
    striker.StartStrike();
    // The charge starts at -0.5 and reaches Force Max (3) here.
    Run(striker, 3.5f);
    EXPECT_EQ(striker.GetState(), GameModel::kStrike);
    striker.Update(kFrame);
    EXPECT_EQ(striker.GetState(), GameModel::kStart);
    EXPECT_FALSE(victim.IsDown());
}

TEST_F(FigureTest, DwarfBlowStaggersForSwayingTimeLessItsForceThenTheFallMovesPoints)
{
    AddStrip("tabor_schlag_E");
    DwarfModel& striker = AddDwarf(At(16, 12));
    DwarfModel& victim = AddDwarf(At(18, 12), "", "marlo");
    victim.SetTotalScore(5);
    victim.AddRoundScore(1);
    striker.SetFacing(direction::kEast);
    striker.StartStrike();
    Run(striker, 2.5f);
    EXPECT_FLOAT_EQ(striker.GetCharge(), 2.0f);
    striker.Strike();
    Run(striker, 0.5f);
    ASSERT_EQ(victim.GetState(), GameModel::kHit);
    EXPECT_EQ(striker.GetRoundScore(), 1);
    victim.Update(kFrame);
    ASSERT_EQ(victim.GetState(), GameModel::kStagger);
    // Swaying Time 1 less Force Factor 0.3 x charge 2.
    EXPECT_NEAR(victim.GetStateTimer(), 0.4f, 1e-5f);
    EXPECT_NEAR(TimeIn(victim, GameModel::kStagger), 0.4f, kFrame);
    EXPECT_EQ(victim.GetState(), GameModel::kFall);
    EXPECT_EQ(striker.GetTotalScore(), 10);
    EXPECT_EQ(victim.GetTotalScore(), 0);
    EXPECT_EQ(victim.GetRoundScore(), 0);
}

TEST_F(FigureTest, AShotAtAStaggeringDwarfLeavesTheKillToItsStriker)
{
    DwarfModel& striker = AddDwarf(At(16, 12));
    DwarfModel& victim = AddDwarf(At(18, 12), "", "marlo");
    victim.Hit(&striker, 0.0f);
    victim.Update(kFrame);
    ASSERT_EQ(victim.GetState(), GameModel::kStagger);
    victim.Hit(nullptr, 0.0f);
    TimeIn(victim, GameModel::kStagger);
    EXPECT_EQ(victim.GetState(), GameModel::kFall);
    EXPECT_EQ(striker.GetTotalScore(), 10);
}

TEST_F(FigureTest, DwarfStruckLateInItsOwnSwingHitsBack)
{
    AddStrip("tabor_schlag_E");
    // CounterTime is 0.3 of the swing.
    for (const float swing : {0.2f, 0.4f}) {
        DwarfModel& defender = AddDwarf(At(16, 12));
        DwarfModel& attacker = AddDwarf(At(18, 12), "", "marlo");
        defender.SetFacing(direction::kEast);
        defender.Strike();
        defender.Update(kFrame);
        defender.CurrentAnimation().SetPosition(swing);
        defender.Hit(&attacker, 0.0f);
        EXPECT_EQ(attacker.GetState() == GameModel::kHit, swing > 0.3f) << swing;
        EXPECT_EQ(defender.GetRoundScore(), swing > 0.3f ? 1 : 0);
    }
}

TEST_F(FigureTest, PlayerDwarfBlinksForASecondAfterComingBackRivalsReturnAtOnce)
{
    DwarfModel& player = AddDwarf(At(16, 12), "", DwarfModel::kPlayerName);
    DwarfModel& rival = AddDwarf(At(20, 12), "", "marlo");
    ASSERT_TRUE(player.IsPlayer());
    player.SetState(GameModel::kFall);
    rival.SetState(GameModel::kFall);
    EXPECT_NEAR(TimeIn(player, GameModel::kFall), 1.5f, kFrame);
    EXPECT_EQ(player.GetState(), GameModel::kReappear);
    EXPECT_NEAR(TimeIn(player, GameModel::kReappear), 1.0f, kFrame);
    EXPECT_EQ(player.GetState(), GameModel::kStart);
    EXPECT_NEAR(TimeIn(rival, GameModel::kFall), 2.5f, kFrame);
    EXPECT_EQ(rival.GetState(), GameModel::kStart);
    EXPECT_EQ(player.GetRoundScore(), 0);
}

TEST_F(FigureTest, ShotsCostPointsCheckAnswersStrikersOnlyAndSleepersFallAtOnce)
{
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    DwarfModel& striker = AddDwarf(At(18, 12), "", "marlo");
    dwarf.SetTotalScore(30);
    dwarf.Hit(nullptr, 0.0f);
    EXPECT_EQ(dwarf.GetTotalScore(), 5);
    ASSERT_EQ(dwarf.GetState(), GameModel::kStagger);
    dwarf.SayCheck();
    EXPECT_EQ(dwarf.GetState(), GameModel::kStagger);
    TimeIn(dwarf, GameModel::kStagger);
    ASSERT_FALSE(dwarf.IsDown());
    dwarf.Hit(&striker, 0.0f);
    dwarf.Update(kFrame);
    ASSERT_EQ(dwarf.GetState(), GameModel::kStagger);
    dwarf.SayCheck();
    EXPECT_EQ(dwarf.GetState(), GameModel::kCheck);

    DwarfModel& sleeper = AddDwarf(At(16, 14));
    sleeper.Sleep(5.0f);
    sleeper.Hit(&striker, 0.0f);
    EXPECT_EQ(sleeper.GetState(), GameModel::kFall);
    EXPECT_EQ(striker.GetTotalScore(), 10);
}

TEST_F(FigureTest, KnightFallsToTwoBlowsOrOneWithABoardAndComesBackWithFullHitPoints)
{
    KnightModel& knight = AddKnight(At(16, 12));
    KnightModel& second = AddKnight(At(24, 11));
    DwarfModel& dwarf = AddDwarf(At(18, 12));
    knight.Hit(&dwarf, 0.0f);
    EXPECT_FALSE(knight.IsDown());
    knight.Hit(&dwarf, 0.0f);
    EXPECT_EQ(knight.GetState(), GameModel::kFall);
    EXPECT_EQ(dwarf.GetRoundScore(), 1);
    EXPECT_EQ(dwarf.GetTotalScore(), 20);

    dwarf.SetCarriesBoard(true);
    second.Hit(&dwarf, 0.0f);
    EXPECT_EQ(second.GetState(), GameModel::kFall);
    EXPECT_NEAR(TimeIn(second, GameModel::kFall), 2.5f, kFrame);
    EXPECT_EQ(second.GetState(), GameModel::kStart);
    EXPECT_EQ(second.GetHitPoints(), KnightModel::kFullHitPoints);
    // Coming back costs a round point, but never below 0.
    EXPECT_EQ(second.GetRoundScore(), 0);
}

TEST_F(FigureTest, KnightFelledLateInItsOwnSwingFellsItsAttackerToo)
{
    AddStrip("stumpf_schlag_W");
    // CounterTime is 0.4 of the swing.
    for (const float swing : {0.3f, 0.5f}) {
        KnightModel& knight = AddKnight(At(16, 12));
        DwarfModel& dwarf = AddDwarf(At(14, 12));
        dwarf.SetCarriesBoard(true);
        knight.SetFacing(direction::kWest);
        knight.Strike();
        knight.CurrentAnimation().SetPosition(swing);
        knight.Hit(&dwarf, 0.0f);
        EXPECT_EQ(knight.GetState(), GameModel::kFall);
        EXPECT_EQ(dwarf.GetState() == GameModel::kFall, swing > 0.4f) << swing;
    }
}
