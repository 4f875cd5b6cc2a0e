#include <gtest/gtest.h>

#include <string>

#include "frontend/HighscoreTable.h"

namespace {

HighscoreTable TableOf(std::initializer_list<std::pair<const char*, int>> entries)
{
    HighscoreTable table(static_cast<int>(entries.size()));
    for (const auto& [name, score] : entries) {
        table.Insert(name, score);
    }
    return table;
}

TEST(HighscoreTableTest, EqualScoreRanksAboveTheOldEntry)
{
    HighscoreTable table = TableOf({{"Hedda", 400}, {"Gorm", 300}, {"Fenja", 250}});
    EXPECT_EQ(table.Insert("Neu", 300), 1);
    EXPECT_EQ(table.Name(1), "Neu");
    EXPECT_EQ(table.Name(2), "Gorm");
    EXPECT_EQ(table.Score(2), 300);
}

TEST(HighscoreTableTest, LastEntryDropsOut)
{
    HighscoreTable table = TableOf({{"Hedda", 400}, {"Gorm", 300}, {"Fenja", 250}});
    EXPECT_EQ(table.Insert("Top", 999), 0);
    EXPECT_EQ(table.Size(), 3);
    EXPECT_EQ(table.Name(0), "Top");
    EXPECT_EQ(table.Name(1), "Hedda");
    EXPECT_EQ(table.Name(2), "Gorm");
}

TEST(HighscoreTableTest, ScoreEqualToTheLowestPushesItOut)
{
    HighscoreTable table = TableOf({{"Hedda", 400}, {"Arlo", 50}});
    EXPECT_TRUE(table.Qualifies(50));
    EXPECT_EQ(table.Insert("Neu", 50), 1);
    EXPECT_EQ(table.Name(1), "Neu");
}

TEST(HighscoreTableTest, ScoreBelowEveryEntryDoesNotEnter)
{
    HighscoreTable table = TableOf({{"Hedda", 400}, {"Arlo", 50}});
    EXPECT_FALSE(table.Qualifies(49));
    EXPECT_EQ(table.Insert("Neu", 49), table.Size());
    EXPECT_EQ(table.Name(0), "Hedda");
    EXPECT_EQ(table.Name(1), "Arlo");
}

TEST(HighscoreTableTest, NamesAreCutToTheFieldLimitAndAtLineBreaks)
{
    HighscoreTable table(2);
    table.Insert(std::string(150, 'x'), 10);
    EXPECT_EQ(table.Name(0).size(), HighscoreTable::kMaxNameLength);
    table.SetName(1, "Zeile\nzwei");
    EXPECT_EQ(table.Name(1), "Zeile");
    table.SetName(5, "nirgends");
    table.Clear();
    EXPECT_EQ(table.Name(0), "");
    EXPECT_EQ(table.Score(0), 0);
}

}  // namespace
