#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "params/ComboBox.h"
#include "params/SerializerFixture.h"
#include "params/Serializer.h"

namespace {

class Difficulty : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Difficulty", name);
        ComboBox(s, "level", options, selection);
        s.EndSection();
    }

    const std::vector<std::string> options{"easy", "normal", "hard"};
    int selection = 0;
};

using ComboBoxTest = SerializerFixture;

TEST_F(ComboBoxTest, WritesTextThenIndexAndReadsThemBack)
{
    Difficulty written;
    written.selection = 2;
    WriteBlock("combo.txt", "Game", written);
    EXPECT_EQ(dir.Read("combo.txt"), "class type: \"class Difficulty\"\n"
                                     "[Difficulty] \"Game\"\n"
                                     "{\n"
                                     "    \"level_string\" \"hard\"\n"
                                     "    \"level_index\" 2\n"
                                     "}\n"
                                     "\n");
    Difficulty read;
    ReadBlock("combo.txt", "Game", read);
    EXPECT_EQ(read.selection, 2);
}

struct StoredChoice {
    const char* lines;
    int expected;
};

class ComboBoxChoiceTest : public SerializerFixture, public ::testing::WithParamInterface<StoredChoice> {};

TEST_P(ComboBoxChoiceTest, PicksAnOptionOrKeepsTheSelection)
{
    dir.Write("combo.txt", std::string("[Difficulty] \"Game\"\n{\n") + GetParam().lines + "}\n");
    Difficulty read;
    read.selection = 1;
    ReadBlock("combo.txt", "Game", read);
    EXPECT_EQ(read.selection, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    StoredEntries, ComboBoxChoiceTest,
    ::testing::Values(StoredChoice{"\"level_string\" \"easy\"\n\"level_index\" 2\n", 0},   // the text wins
                      StoredChoice{"\"level_string\" \"easy\"\n\"level_index\" 9\n", 0},   // bad index unused
                      StoredChoice{"\"level_string\" \"mad\"\n\"level_index\" 2\n", 2},    // unknown text
                      StoredChoice{"\"level_index\" 0\n", 0},                              // text missing
                      StoredChoice{"\"level_string\" \"mad\"\n\"level_index\" 3\n", 1},    // neither: kept
                      StoredChoice{"\"level_string\" \"\"\n\"level_index\" -1\n", 1}));    // neither: kept

TEST_F(ComboBoxTest, OutOfRangeSelectionWritesNoOptionText)
{
    Difficulty written;
    written.selection = 5;
    WriteBlock("combo.txt", "Game", written);
    EXPECT_NE(dir.Read("combo.txt").find("\"level_string\" \"\"\n"), std::string::npos);
    Difficulty read;
    read.selection = 1;
    ReadBlock("combo.txt", "Game", read);
    EXPECT_EQ(read.selection, 1);
    EXPECT_TRUE(Logged("ComboBox: <level> names no option, selection 1 kept\n"));
}

}  // namespace
