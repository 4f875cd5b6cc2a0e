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

TEST(HighscoreTableTest, NewEntryRanksAboveEqualScoresTheLastDropsOutAndLowerScoresStayOut)
{
    HighscoreTable table = TableOf({{"Hedda", 400}, {"Gorm", 300}, {"Fenja", 250}});
    EXPECT_EQ(table.Insert("Neu", 300), 1);
    EXPECT_EQ(table.Name(2), "Gorm");
    EXPECT_EQ(table.Insert("Top", 999), 0);
    EXPECT_EQ(table.Size(), 3);
    EXPECT_EQ(table.Name(0), "Top");
    EXPECT_EQ(table.Name(1), "Hedda");
    EXPECT_EQ(table.Name(2), "Neu");
    EXPECT_EQ(table.Score(2), 300);
    // A score equal to the lowest still qualifies and pushes it out.
    EXPECT_TRUE(table.Qualifies(300));
    EXPECT_EQ(table.Insert("Gleich", 300), 2);
    EXPECT_EQ(table.Name(2), "Gleich");
    // Lower scores stay out.
    EXPECT_FALSE(table.Qualifies(299));
    EXPECT_EQ(table.Insert("Tief", 299), table.Size());
    EXPECT_EQ(table.Name(0), "Top");
    EXPECT_EQ(table.Name(2), "Gleich");
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
