#include "characters/CharacterTestSupport.h"

namespace {

// The player alone on the board: he ties with himself and wins every round of one second.
class MainLevelCourtTest : public CharacterTest {
protected:
    void Start(const std::string& switches)
    {
        dir.Write("level.txt", "[LevelParameter] \"L\"\n{\n\"Item Wahrscheinlichkeit\" 0\n\"Round Length\" 1\n"
                               "\"DEBUG:nDwarfs\" 0\n" + switches + "}\n");
        File file;
        ASSERT_TRUE(file.Open("level.txt", "r"));
        AsciiSerializer reader(file, false);
        level.Parameters(reader, "L");
        level.Activate();
        ASSERT_EQ(level.GetState(), QMMainLevel::kPlaying);
    }

    void PlayRound()
    {
        for (int frame = 0; frame < 100 && level.GetState() == QMMainLevel::kPlaying; ++frame) {
            level.Update(kStep);
        }
    }

    void NextRound()
    {
        PlayRound();
        ASSERT_EQ(level.GetState(), QMMainLevel::kBetweenRounds);
        while (level.GetState() == QMMainLevel::kBetweenRounds) {
            level.Update(kStep);
        }
        level.Update(kStep);
    }

    // Whether the queen and the hunter have stirred: left alone, she sits idle and he stays away.
    std::pair<bool, bool> CourtStirred() const
    {
        return {queen->GetState() != Queen::kIdle, hunter->GetState() != Hunter::kAway};
    }

    void SetUp() override
    {
        CharacterTest::SetUp();
        Cast::Instance().Register(&AddDwarf(At(16, 16), "", DwarfModel::kPlayerName), "DwarfModel_1", true);
        // Were they called, she would chew at once and he would come in at once.
        queen = Make<Queen>("Queen", "\"Idle Timer\" 0 0\n\"Chew Percentage\" 1");
        hunter = Make<Hunter>("Hunter", "\"Random Timer\" 0 0");
        level.Init(nullptr);
    }

    std::unique_ptr<Queen> queen;
    std::unique_ptr<Hunter> hunter;
};

TEST_F(MainLevelCourtTest, OffTheLevelLeavesQueenAndHunterAloneAndOnItCallsThemFromTheirRound)
{
    Start("\"Queen on Throne\" 0\n\"Hunter from Round\" 0\n");
    level.Update(kStep);
    EXPECT_EQ(CourtStirred(), std::make_pair(false, false));
    NextRound();
    EXPECT_EQ(CourtStirred(), std::make_pair(false, false));

    Start("\"Queen on Throne\" 1\n\"Hunter from Round\" 2\n");
    level.Update(kStep);
    EXPECT_EQ(CourtStirred(), std::make_pair(true, false));
    NextRound();
    EXPECT_EQ(level.GetRoundNumber(), 2);
    EXPECT_EQ(CourtStirred(), std::make_pair(true, true));
    EXPECT_FALSE(GameMap::Instance().IsWalkable(15, 2));
}

}  // namespace
