#include "characters/CharacterTestSupport.h"

namespace {

// All three bushes at the middle of the board (cell 16, 16): he looks south first, towards
// cell (16, 18), and is heard within two cells of it.
constexpr const char* kJesterSettings =
    "\"Random Timer\" 0 0\n\"Sleep Time\" 5\n\"Joke Radius\" 2\n\"Search Time\" 2\n"
    "\"Location 0\" 0.5 0.5\n\"Location 1\" 0.5 0.5\n\"Location 2\" 0.5 0.5";

TEST_F(CharacterTest, TheJokePutsExactlyTheDwarfsInFrontOfTheJesterToSleep)
{
    DwarfModel& ahead = AddDwarf(At(16, 18));
    DwarfModel& aside = AddDwarf(At(17.5f, 18), "", "marlo");
    const DwarfModel& beyond = AddDwarf(At(16, 20.5f), "", "quirn");
    // Within reach had he looked west first.
    const DwarfModel& west = AddDwarf(At(14, 17), "", "gandel");
    const KnightModel& knight = AddKnight(At(15, 18));
    auto jester = Make<Jester>("Jester", kJesterSettings);

    ASSERT_TRUE(RunUntil(*jester, [&] { return jester->GetState() == Jester::kJokeSouth; }));
    EXPECT_EQ(jester->GetListeners(), (std::vector<GameModel*>{&ahead, &aside}));
    EXPECT_EQ(ahead.GetState(), GameModel::kHeld);
    ASSERT_TRUE(RunUntil(*jester, [&] { return jester->GetListeners().empty(); }));
    for (const GameModel* figure : std::initializer_list<const GameModel*>{&ahead, &aside}) {
        EXPECT_EQ(figure->GetState(), GameModel::kAsleep);
        EXPECT_FLOAT_EQ(figure->GetStateTimer(), 5.0f);
    }
    for (const GameModel* figure : std::initializer_list<const GameModel*>{&beyond, &west, &knight}) {
        EXPECT_EQ(figure->GetState(), GameModel::kStart);
    }
    EXPECT_TRUE(RunUntil(*jester, [&] { return jester->GetState() == Jester::kHidden; }));
}

TEST_F(CharacterTest, ANewRoundCuttingAJokeShortLetsItsListenersGo)
{
    DwarfModel& cutOff = AddDwarf(At(16, 18));
    auto jester = Make<Jester>("Jester", kJesterSettings);
    ASSERT_TRUE(RunUntil(*jester, [&] { return jester->GetState() == Jester::kJokeSouth; }));
    jester->Reset();
    EXPECT_TRUE(jester->GetListeners().empty());
    cutOff.SetPosition(At(4, 12));
    DwarfModel& next = AddDwarf(At(16, 18), "", "marlo");

    ASSERT_TRUE(RunUntil(*jester, [&] { return next.GetState() == GameModel::kAsleep; }));
    EXPECT_EQ(cutOff.GetState(), GameModel::kHeld);
}

}  // namespace
