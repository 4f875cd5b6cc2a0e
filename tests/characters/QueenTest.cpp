#include "characters/CharacterTestSupport.h"

namespace {

TEST_F(CharacterTest, TheQueenClapsAtAFallenDwarfComplainsAtAFallenKnightAndElseChewsAsLikely)
{
    DwarfModel& dwarf = AddDwarf(At(16, 12));
    KnightModel& knight = AddKnight(At(20, 12));
    auto never = Make<Queen>("Queen", "\"Idle Timer\" 0 0\n\"Chew Percentage\" 0");
    auto always = Make<Queen>("Queen", "\"Idle Timer\" 0 0\n\"Chew Percentage\" 1");
    EXPECT_FALSE(RunUntil(*never, [&] { return never->GetState() != Queen::kIdle; }));
    EXPECT_TRUE(RunUntil(*always, [&] { return always->GetState() == Queen::kChew; }));

    knight.SetState(GameModel::kFall);
    ASSERT_TRUE(RunUntil(*never, [&] { return never->GetState() != Queen::kIdle; }));
    EXPECT_TRUE(never->GetState() == Queen::kComplain1 || never->GetState() == Queen::kComplain2);
    ASSERT_TRUE(RunUntil(*never, [&] { return never->GetState() == Queen::kIdle; }));

    // The first figure down in her list decides.
    dwarf.SetState(GameModel::kHit);
    ASSERT_TRUE(RunUntil(*never, [&] { return never->GetState() != Queen::kIdle; }));
    EXPECT_EQ(never->GetState(), Queen::kClap);
}

}  // namespace
