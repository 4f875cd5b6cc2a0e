#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "frontend/HighscoreTestSupport.h"

namespace {

namespace fs = std::filesystem;

// "108\n12 name:Bo\n5 name:A\n" as any program following the format scrambles it.
const std::string kTwoEntryFile("\x15\x47\x53\x32\x95\xC6\xF7\x2A\xB5\xE9\xFD\x02"
                                "\x26\x68\xE2\x8D\x37\xEA\xF5\xA9\x3D\xC2\x65\xB2",
                                24);

const std::string kDefaultPlain = "108\n400 name:Hedda\n300 name:Gorm\n250 name:Fenja\n200 name:Emrik\n"
                                  "150 name:Dalia\n100 name:Cedro\n80 name:Brina\n50 name:Arlo\n";

TEST_F(HighscoreFileTest, FileIsScrambledByteForByteAsAnyWriterDoes)
{
    HighscoreTable& table = Manager().GetTable(1, 2);
    table.Insert("A", 5);
    table.Insert("Bo", 12);
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(dir.Read(kDiskName), kTwoEntryFile);
    EXPECT_FALSE(dir.Exists("data/highscores.dat.tmp"));

    // The same bytes from another writer load.
    HighscoreManager::Release();
    dir.Write(kDiskName, kTwoEntryFile);
    HighscoreTable& loaded = Manager().GetTable(1, 2);
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(loaded.Name(0), "Bo");
    EXPECT_EQ(loaded.Score(0), 12);
    EXPECT_EQ(loaded.Name(1), "A");
    EXPECT_EQ(loaded.Score(1), 5);
}

TEST_F(HighscoreFileTest, DefaultTableWritesTheFormatLineAndEightEntries)
{
    Manager().SetUpGameTable();
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(ReadPlain(), kDefaultPlain);
}

TEST_F(HighscoreFileTest, TablesAreWrittenAndReadInAscendingIdOrder)
{
    Manager().GetTable(7, 1).Insert("Sieben", 70);
    Manager().GetTable(2, 2).Insert("Zwei", 20);
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(ReadPlain(), "108\n20 name:Zwei\n0 name:\n70 name:Sieben\n");

    HighscoreManager::Release();
    HighscoreTable& second = Manager().GetTable(2, 2);
    HighscoreTable& seventh = Manager().GetTable(7, 1);
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(second.Name(0), "Zwei");
    EXPECT_EQ(second.Name(1), "");
    EXPECT_EQ(seventh.Name(0), "Sieben");
}

TEST_F(HighscoreFileTest, EqualScoresKeepTheirOrderThroughSaveAndLoad)
{
    HighscoreTable& table = Manager().GetTable(1, 3);
    table.Insert("Alt", 10);
    table.Insert("Neu", 10);
    ASSERT_TRUE(Manager().Save());
    const std::string saved = ReadPlain();
    HighscoreManager::Release();
    HighscoreTable& loaded = Manager().GetTable(1, 3);
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(loaded.Name(0), "Neu");
    EXPECT_EQ(loaded.Name(1), "Alt");
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(ReadPlain(), saved);
}

TEST_F(HighscoreFileTest, MissingForeignOrGarbageFilesKeepTheDefaults)
{
    Manager().SetUpGameTable();
    EXPECT_FALSE(Manager().Load());
    WritePlain("109\n999 name:Fremd\n");
    EXPECT_FALSE(Manager().Load());
    EXPECT_TRUE(Logged("HighscoreManager::Load: Unknown format in <highscores.dat>"));
    dir.Write(kDiskName, kDefaultPlain);
    EXPECT_FALSE(Manager().Load());
    dir.Write(kDiskName, std::string("\x00\xFF\x13", 3));
    EXPECT_FALSE(Manager().Load());
    EXPECT_EQ(Manager().GetTable(1, 8).Name(0), "Hedda");
    EXPECT_EQ(Manager().GetTable(1, 8).Name(7), "Arlo");
    EXPECT_EQ(Manager().GetTable(1, 8).Score(7), 50);
}

TEST_F(HighscoreFileTest, BadLinesAreSkippedWithALogLine)
{
    HighscoreTable& table = Manager().GetTable(1, 6);
    WritePlain("108\n"
               "-5 name:Negativ\n"
               "99999999999 name:Riesig\n"
               "abc name:Keine Zahl\n"
               "70 ohne Namen\n"
               "60 name:Gut\n"
               "\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(table.Name(0), "Gut");
    EXPECT_EQ(table.Score(0), 60);
    for (int i = 1; i < table.Size(); ++i) {
        EXPECT_EQ(table.Name(i), "");
        EXPECT_EQ(table.Score(i), 0);
    }
    EXPECT_TRUE(Logged("Skipped line 2 of <highscores.dat>: score out of range"));
    EXPECT_TRUE(Logged("Skipped line 3 of <highscores.dat>: score out of range"));
    EXPECT_TRUE(Logged("Skipped line 4 of <highscores.dat>: no score"));
    EXPECT_TRUE(Logged("Skipped line 5 of <highscores.dat>: no name"));
    EXPECT_TRUE(Logged("Skipped line 7 of <highscores.dat>: no score"));
}

TEST_F(HighscoreFileTest, LongLinesAreCutWithoutSpillingIntoTheNext)
{
    HighscoreTable& table = Manager().GetTable(1, 3);
    WritePlain("108\r\n"
               "40 name:" + std::string(300, 'n') + "\r\n"
               "30 name:Zweiter\r\n"
               "20 name:Dritter");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(table.Name(0), std::string(HighscoreTable::kMaxNameLength, 'n'));
    EXPECT_EQ(table.Name(1), "Zweiter");
    EXPECT_EQ(table.Name(2), "Dritter");
    EXPECT_EQ(table.Score(2), 20);
}

TEST_F(HighscoreFileTest, LinesBeyondTheTablesAreIgnoredAndAShortFileLeavesEmptyPlaces)
{
    HighscoreTable& table = Manager().GetTable(1, 2);
    WritePlain("108\n10 name:Eins\n90 name:Zwei\n80 name:Drei\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(table.Name(0), "Zwei");
    EXPECT_EQ(table.Name(1), "Eins");

    WritePlain("108\n10 name:Allein\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(table.Name(0), "Allein");
    EXPECT_EQ(table.Name(1), "");
    EXPECT_TRUE(Logged("<highscores.dat> ends after line 2"));
}

class HighscoreSaveFailureTest : public HighscoreFileTest {
protected:
    void SetUp() override
    {
        HighscoreFileTest::SetUp();
        Manager().SetUpGameTable();
        ASSERT_TRUE(Manager().Save());
        saved = dir.Read(kDiskName);
        Manager().GetTable(1, 8).Insert("Neu", 1000);
    }

    // The old file is untouched, no temporary file is left, and the table in memory stays.
    void ExpectNothingLost() const
    {
        EXPECT_EQ(dir.Read(kDiskName), saved);
        EXPECT_EQ(Manager().GetTable(1, 8).Name(0), "Neu");
        EXPECT_EQ(Manager().GetTable(1, 8).Name(1), "Hedda");
    }

    std::string saved;
};

TEST_F(HighscoreSaveFailureTest, UnwritableDirectoryLeavesTheOldFile)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    fs::permissions(dir.Path() / "data", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(Manager().Save());
    fs::permissions(dir.Path() / "data", fs::perms::owner_all);
    ExpectNothingLost();
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to open <highscores.dat>!"));
}

TEST_F(HighscoreSaveFailureTest, TemporaryFileThatCannotBeCreatedLeavesTheOldFile)
{
    fs::create_directory(dir.Path() / "data" / "highscores.dat.tmp");
    EXPECT_FALSE(Manager().Save());
    ExpectNothingLost();
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to open <highscores.dat>!"));
}

TEST_F(HighscoreSaveFailureTest, FullDiskLeavesTheOldFile)
{
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no device that is always full";
    }
    fs::create_symlink("/dev/full", dir.Path() / "data" / "highscores.dat.tmp");
    EXPECT_FALSE(Manager().Save());
    ExpectNothingLost();
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "data" / "highscores.dat.tmp"));
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to write <highscores.dat>!"));
}

TEST_F(HighscoreSaveFailureTest, FailedReplaceLeavesNoTemporaryFile)
{
    fs::remove(dir.Path() / kDiskName);
    dir.Write("data/highscores.dat/occupied", "x");
    EXPECT_FALSE(Manager().Save());
    EXPECT_FALSE(dir.Exists("data/highscores.dat.tmp"));
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to replace <highscores.dat>!"));
}

}  // namespace
