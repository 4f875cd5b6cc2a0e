#include "characters/CharacterTestSupport.h"

#include "game/items/BonusItem.h"

namespace {

// Away for two seconds, so that a bullet lands before the next visit; he fires as soon as his
// sweep points at the target and never shoots the antler.
constexpr const char* kQuickHunter = "\"Random Timer\" 2 0\n\"Search Time\" 0 0\n\"Geweih prob\" 0";

// A cell of the door lane, free of figures in these tests.
bool LaneOpen() { return GameMap::Instance().IsWalkable(15, 2); }

TEST_F(CharacterTest, TheBulletHitsOnlyTheFirstFigureItTouches)
{
    // Straight down the centre line from the door: the knight stands in the way of the two
    // dwarfs, who stand on one spot, so the bullet reaches both on the same frame.
    KnightModel& knight = AddKnight(At(16, 10));
    DwarfModel& first = AddDwarf(At(16, 20));
    DwarfModel& second = AddDwarf(At(16, 20), "", "marlo");
    first.SetTotalScore(30);
    auto hunter = Make<Hunter>("Hunter", kQuickHunter);
    const auto shotAndGone = [&hunter] {
        return RunUntil(*hunter, [&hunter] { return hunter->IsBulletActive(); }) &&
               RunUntil(*hunter, [&hunter] { return !hunter->IsBulletActive(); });
    };

    ASSERT_TRUE(shotAndGone());
    EXPECT_EQ(knight.GetState(), GameModel::kStart);
    EXPECT_EQ(first.GetState(), GameModel::kStart);
    EXPECT_EQ(second.GetState(), GameModel::kStart);

    knight.SetPosition(At(4, 10));
    ASSERT_TRUE(shotAndGone());
    EXPECT_EQ(first.GetState(), GameModel::kHit);
    EXPECT_EQ(first.GetTotalScore(), 5);
    EXPECT_EQ(second.GetState(), GameModel::kStart);
}

TEST_F(CharacterTest, WithNobodyToAimAtTheHunterLeavesWithoutAShotOrBringsDownTheAntler)
{
    auto hunter = Make<Hunter>("Hunter", kQuickHunter);
    ASSERT_TRUE(RunUntil(*hunter, [&] { return hunter->GetState() == Hunter::kAiming; }));
    EXPECT_EQ(hunter->GetTarget(), nullptr);
    EXPECT_FALSE(LaneOpen());
    ASSERT_TRUE(RunUntil(*hunter, [&] { return hunter->GetState() == Hunter::kAway || hunter->IsBulletActive(); }));
    EXPECT_FALSE(hunter->IsBulletActive());
    EXPECT_TRUE(LaneOpen());

    // Aiming long enough for the sweep to come back to straight ahead, where the antler hangs.
    BonusItem antler;
    Cast::Instance().Register(&antler, Hunter::kAntlerName, true);
    auto antlerHunter = Make<Hunter>("Hunter", "\"Random Timer\" 9 0\n\"Search Time\" 3 0\n\"Geweih prob\" 1\n"
                                               "\"Geweih Zeit\" 0.5");
    antlerHunter->SetState(Hunter::kComing);
    ASSERT_TRUE(RunUntil(*antlerHunter, [&] { return antlerHunter->IsAntlerFalling(); }));
    EXPECT_EQ(antlerHunter->GetState(), Hunter::kShooting);
    ASSERT_TRUE(RunUntil(*antlerHunter, [&] { return !antlerHunter->IsAntlerFalling(); }));
    ASSERT_EQ(BonusItem::Collectables().size(), 1u);
    EXPECT_TRUE(level.HasDynamic(BonusItem::Collectables().front()));
}

}  // namespace
