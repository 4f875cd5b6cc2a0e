#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/HighscoreTestSupport.h"

namespace {

TEST(HighscoreTableTest, NewEntryRanksAboveEqualScoresTheLastDropsOutAndLowerScoresStayOut)
{
    HighscoreTable table(3);
    table.Insert("Hedda", 400);
    table.Insert("Gorm", 300);
    table.Insert("Fenja", 250);
    EXPECT_EQ(table.Insert("Neu", 300), 1);
    EXPECT_EQ(table.Insert("Top", 999), 0);
    EXPECT_EQ(Rows(table), (std::vector<std::string>{"999 Top", "400 Hedda", "300 Neu"}));
    // A score equal to the lowest still qualifies and pushes it out; a lower one stays out.
    EXPECT_TRUE(table.Qualifies(300));
    EXPECT_EQ(table.Insert("Gleich", 300), 2);
    EXPECT_FALSE(table.Qualifies(299));
    EXPECT_EQ(table.Insert("Tief", 299), table.Size());
    EXPECT_EQ(Rows(table), (std::vector<std::string>{"999 Top", "400 Hedda", "300 Gleich"}));
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
    EXPECT_EQ(Rows(table), (std::vector<std::string>{"0 ", "0 "}));
}

}  // namespace
