#include <string>

#include <gtest/gtest.h>

#include "app/Debug.h"
#include "settings/SettingsManager.h"
#include "support/TempDir.h"

namespace {

class SettingsManagerTest : public ::testing::Test {
protected:
    SettingsManagerTest() { Debug::Instance().CreateLogFile("log.txt"); }
    ~SettingsManagerTest() override { SettingsManager::Release(); }

    SettingsManager& Manager() { return SettingsManager::Instance(); }
    std::string Log() const { return dir.Read("log.txt"); }

    TempDir dir;
};

TEST_F(SettingsManagerTest, SectionsIgnoreLetterCaseAndLimitTheSearchOnlyWhenAskedFor)
{
    dir.Write("config.txt", "SCREENWIDTH 1024\n"
                            "section A\n"
                            "x 1\n"
                            "EndSection\n"
                            "x 2\n"
                            "SECTION B\n"
                            "y 3\n"
                            "ENDSECTION\n");
    ASSERT_TRUE(Manager().LoadSettings("config.txt"));
    EXPECT_EQ(Manager().GetInt("screenwidth"), 1024);
    EXPECT_EQ(Manager().GetInt("x"), 1);
    EXPECT_EQ(Manager().GetInt("x", "a"), 1);
    EXPECT_EQ(Manager().GetInt("y", "b"), 3);
    EXPECT_EQ(Manager().GetInt("x", "B"), 0);
    EXPECT_NE(Log().find("***WARNING: SettingsManager: Could not find setting <x> in section <B>\n"),
              std::string::npos);
}

TEST_F(SettingsManagerTest, ValuesReadTheSecondToken)
{
    dir.Write("config.txt", "width 800px\n"
                            "title Das Quillmark\n"
                            "tabbed\t\t-7\n"
                            "flag 2\n"
                            "off 0\n"
                            "word abc\n"
                            "crlf text\r\n"
                            "lonely\n");
    ASSERT_TRUE(Manager().LoadSettings("config.txt"));
    EXPECT_EQ(Manager().GetInt("width"), 800);
    EXPECT_EQ(Manager().GetString("title"), "Das");
    EXPECT_EQ(Manager().GetInt("tabbed"), -7);
    EXPECT_TRUE(Manager().GetBool("flag"));
    EXPECT_FALSE(Manager().GetBool("off"));
    EXPECT_EQ(Manager().GetInt("word"), -1);
    EXPECT_FALSE(Manager().GetBool("word"));
    EXPECT_EQ(Manager().GetString("crlf"), "text");
    EXPECT_EQ(Manager().GetInt("lonely"), 0);
    EXPECT_NE(Log().find("SettingsManager: Setting <lonely> has no value\n"), std::string::npos);
}

TEST_F(SettingsManagerTest, MissingKeyIsLoggedAndYieldsEmptyValues)
{
    dir.Write("config.txt", "SECTION\n"
                            "present 1\n");
    ASSERT_TRUE(Manager().LoadSettings("config.txt"));
    EXPECT_EQ(Manager().GetInt("absent"), 0);
    EXPECT_FALSE(Manager().GetBool("absent"));
    EXPECT_EQ(Manager().GetString("absent"), "");
    const std::string log = Log();
    EXPECT_NE(log.find("***WARNING: SettingsManager: Could not find setting <absent> in section <(null)>\n"),
              std::string::npos);
    EXPECT_NE(log.find("***ERROR: Section defined without name\n"), std::string::npos);
}

TEST_F(SettingsManagerTest, FilesAreSearchedInLoadOrderAndACachedValueOutlivesLaterOnes)
{
    dir.Write("first.txt", "k 5\n");
    dir.Write("second.txt", "k 7\n"
                            "late 3\n");
    ASSERT_TRUE(Manager().LoadSettings("first.txt"));
    EXPECT_EQ(Manager().GetInt("k"), 5);
    EXPECT_EQ(Manager().GetInt("late"), 0);
    // The file on disk changes, but the answer was read once.
    dir.Write("first.txt", "k 6\n");
    ASSERT_TRUE(Manager().LoadSettings("second.txt"));
    EXPECT_EQ(Manager().GetInt("k"), 5);
    // A key no file had is not cached, so a file loaded later provides it.
    EXPECT_EQ(Manager().GetInt("late"), 3);
    // The files are searched in load order.
    dir.Write("third.txt", "shared 2\n");
    dir.Write("fourth.txt", "shared 4\n");
    ASSERT_TRUE(Manager().LoadSettings("third.txt"));
    ASSERT_TRUE(Manager().LoadSettings("fourth.txt"));
    EXPECT_EQ(Manager().GetInt("shared"), 2);
}

TEST_F(SettingsManagerTest, SameNameIsLoadedOnceButLetterCaseCounts)
{
    dir.Write("a.txt", "k 1\n");
    ASSERT_TRUE(Manager().LoadSettings("a.txt"));
    dir.Write("a.txt", "k 2\n"
                       "extra 9\n");
    ASSERT_TRUE(Manager().LoadSettings("a.txt"));
    EXPECT_EQ(Manager().GetInt("extra"), 0);
    ASSERT_TRUE(Manager().LoadSettings("A.txt"));
    EXPECT_EQ(Manager().GetInt("extra"), 9);
    EXPECT_EQ(Manager().GetInt("k"), 1);
}

TEST_F(SettingsManagerTest, UnopenableFileLogsBothErrors)
{
    EXPECT_FALSE(Manager().LoadSettings("missing.txt"));
    const std::string log = Log();
    EXPECT_NE(log.find("***ERROR: Settings::Load could not open file <missing.txt>\n"), std::string::npos);
    EXPECT_NE(log.find("***ERROR: SettingsManager::LoadSettings: could not load settings <missing.txt>\n"),
              std::string::npos);
    dir.Write("missing.txt", "now 1\n");
    EXPECT_TRUE(Manager().LoadSettings("missing.txt"));
    EXPECT_EQ(Manager().GetInt("now"), 1);
}

}  // namespace
