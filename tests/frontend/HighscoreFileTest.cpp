#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "files/ArchiveBytes.h"
#include "files/ReplacingFileWriter.h"
#include "frontend/HighscoreTestSupport.h"

namespace {

namespace fs = std::filesystem;

// "108\n12 name:Bo\n5 name:A\n" as any program following the format scrambles it.
const std::string kTwoEntryFile("\x15\x47\x53\x32\x95\xC6\xF7\x2A\xB5\xE9\xFD\x02"
                                "\x26\x68\xE2\x8D\x37\xEA\xF5\xA9\x3D\xC2\x65\xB2",
                                24);

const std::string kDefaultPlain = "108\n400 name:Hedda\n300 name:Gorm\n250 name:Fenja\n200 name:Emrik\n"
                                  "150 name:Dalia\n100 name:Cedro\n80 name:Brina\n50 name:Arlo\n";

TEST_F(HighscoreFileTest, FileIsScrambledByteForByteWithTablesInIdOrderAndEqualScoresInTheirOrder)
{
    Manager().GetTable(1, 2).Insert("A", 5);
    Manager().GetTable(1, 2).Insert("Bo", 12);
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(dir.Read(kHighscoreDiskName), kTwoEntryFile);
    EXPECT_FALSE(dir.Exists(ReplacingFileWriter::TemporaryName(kHighscoreDiskName)));
    // The same bytes from another writer load.
    HighscoreManager::Release();
    dir.Write(kHighscoreDiskName, kTwoEntryFile);
    HighscoreTable& loaded = Manager().GetTable(1, 2);
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(loaded), (std::vector<std::string>{"12 Bo", "5 A"}));

    HighscoreManager::Release();
    Manager().GetTable(7, 1).Insert("Sieben", 70);
    Manager().GetTable(2, 3).Insert("Zwei", 20);
    Manager().GetTable(2, 3).Insert("Zwo", 20);
    ASSERT_TRUE(Manager().Save());
    const std::string saved = SavedPlain(dir);
    EXPECT_EQ(saved, "108\n20 name:Zwo\n20 name:Zwei\n0 name:\n70 name:Sieben\n");
    HighscoreManager::Release();
    HighscoreTable& second = Manager().GetTable(2, 3);
    HighscoreTable& seventh = Manager().GetTable(7, 1);
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(second), (std::vector<std::string>{"20 Zwo", "20 Zwei", "0 "}));
    EXPECT_EQ(Rows(seventh), std::vector<std::string>{"70 Sieben"});
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(SavedPlain(dir), saved);
}

TEST_F(HighscoreFileTest, DefaultTableIsWrittenWholeAndKeptWhenTheFileIsMissingForeignOrGarbage)
{
    Manager().SetUpGameTable();
    EXPECT_FALSE(Manager().Load());
    ASSERT_TRUE(Manager().Save());
    EXPECT_EQ(SavedPlain(dir), kDefaultPlain);
    WritePlain("109\n999 name:Fremd\n");
    EXPECT_FALSE(Manager().Load());
    EXPECT_TRUE(Logged("HighscoreManager::Load: Unknown format in <highscores.dat>"));
    dir.Write(kHighscoreDiskName, kDefaultPlain);
    EXPECT_FALSE(Manager().Load()) << "unscrambled";
    dir.Write(kHighscoreDiskName, std::string("\x00\xFF\x13", 3));
    EXPECT_FALSE(Manager().Load());
    EXPECT_EQ(Manager().GetTable(1, 8).Name(0), "Hedda");
    EXPECT_EQ(Rows(Manager().GetTable(1, 8))[7], "50 Arlo");
}

TEST_F(HighscoreFileTest, BadLinesAreSkippedWithALogLineLongNamesCutAndExtraLinesIgnored)
{
    HighscoreTable& six = Manager().GetTable(1, 6);
    WritePlain("108\n-5 name:Negativ\n99999999999 name:Riesig\nabc name:Keine Zahl\n70 ohne Namen\n"
               "60 name:Gut\n\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(six), (std::vector<std::string>{"60 Gut", "0 ", "0 ", "0 ", "0 ", "0 "}));
    for (const char* skipped : {"2 of <highscores.dat>: score out of range", "3 of <highscores.dat>: score out of range",
                                "4 of <highscores.dat>: no score", "5 of <highscores.dat>: no name",
                                "7 of <highscores.dat>: no score"}) {
        EXPECT_TRUE(Logged(std::string("Skipped line ") + skipped)) << skipped;
    }

    HighscoreManager::Release();
    HighscoreTable& three = Manager().GetTable(1, 3);
    WritePlain("108\r\n40 name:" + std::string(300, 'n') + "\r\n30 name:Zweiter\r\n20 name:Dritter");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(three), (std::vector<std::string>{"40 " + std::string(HighscoreTable::kMaxNameLength, 'n'),
                                                     "30 Zweiter", "20 Dritter"}));
    WritePlain("108\n10 name:Eins\n90 name:Zwei\n80 name:Drei\n70 name:Vier\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(three), (std::vector<std::string>{"90 Zwei", "80 Drei", "10 Eins"}));
    WritePlain("108\n10 name:Allein\n");
    ASSERT_TRUE(Manager().Load());
    EXPECT_EQ(Rows(three), (std::vector<std::string>{"10 Allein", "0 ", "0 "}));
    EXPECT_TRUE(Logged("<highscores.dat> ends after line 2"));
}

// The game's table with one row of its own, saved: a table that exists.
class HighscoreFaultTest : public HighscoreFileTest {
protected:
    void SetUp() override
    {
        HighscoreFileTest::SetUp();
        Manager().SetUpGameTable();
        Manager().GetTable(1, 8).Insert("Alt", 999);
        ASSERT_TRUE(Manager().Save());
        saved = dir.Read(kHighscoreDiskName);
    }

    // A new start: the defaults, then the file.
    static bool Start()
    {
        HighscoreManager::Release();
        Manager().SetUpGameTable();
        return Manager().Load();
    }

    fs::path DiskPath(const std::string& relative) const { return dir.Path() / relative; }

    std::string saved;
};

// What stands in the place of the file: its type, and its size when it is a regular file.
std::pair<fs::file_type, uintmax_t> Kind(const fs::path& path)
{
    std::error_code error;
    fs::file_type type = fs::symlink_status(path, error).type();
    return {type, type == fs::file_type::regular ? fs::file_size(path, error) : 0};
}

TEST_F(HighscoreFaultTest, AFileThatDoesNotLoadIsMovedAsideBeforeTheFirstSave)
{
    const fs::path file = DiskPath(kHighscoreDiskName);
    std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"damaged", [&] { dir.Write(kHighscoreDiskName, saved.substr(0, saved.size() - 20)); }},
        {"another version", [&] { WritePlain("109\n5000 name:Zukunft\n"); }},
        {"a directory", [&] { dir.Write("data/highscores.dat/inside", "x"); }},
        {"a named pipe", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
        {"huge", [&] {
             dir.Write(kHighscoreDiskName, saved);
             fs::resize_file(file, HighscoreManager::kMaxFileBytes + 1);
         }},
    };
    // The superuser reads any file.
    if (geteuid() != 0) {
        cases.emplace_back("unreadable", [&] {
            dir.Write(kHighscoreDiskName, saved);
            fs::permissions(file, fs::perms::none);
        });
    }
    for (const auto& [what, make] : cases) {
        fs::remove_all(file);
        fs::remove_all(DiskPath("data/highscores.dat.bad"));
        make();
        const auto before = Kind(file);
        Start();
        ASSERT_TRUE(Manager().Save()) << what;
        EXPECT_EQ(Kind(DiskPath("data/highscores.dat.bad")), before) << what;
        EXPECT_EQ(SavedPlain(dir).substr(0, 4), "108\n") << what;
    }
    EXPECT_TRUE(Logged("HighscoreManager::Save: Moved <highscores.dat>, which did not load, aside to "
                       "<highscores.dat.bad>"));
    EXPECT_TRUE(Logged("HighscoreManager::Load: <highscores.dat> is not a regular file, keeping the defaults"));
    EXPECT_TRUE(Logged("HighscoreManager::Load: <highscores.dat> is too large, keeping the defaults"));

    // A file that loaded is saved over as usual.
    fs::remove_all(DiskPath("data/highscores.dat.bad"));
    Start();
    ASSERT_TRUE(Manager().Save());
    EXPECT_FALSE(fs::exists(DiskPath("data/highscores.dat.bad")));
}

TEST_F(HighscoreFaultTest, AnArchiveCopyNeverHidesTheTableOnDisk)
{
    dir.Write("datafile.dat", archivebytes::Archive({{"data\\highscores.dat", Scrambled("108\n7 name:Gepackt\n")}}));
    ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
    ASSERT_TRUE(DataFile::Instance().IsAvailable());
    ASSERT_TRUE(Start());
    EXPECT_EQ(Manager().GetTable(1, 8).Name(0), "Alt");

    fs::remove(DiskPath(kHighscoreDiskName));
    EXPECT_FALSE(Start());
    EXPECT_EQ(Manager().GetTable(1, 8).Name(0), "Hedda");
}

TEST_F(HighscoreFaultTest, AFailedOrKilledSaveLeavesTheOldTable)
{
    HighscoreTable& table = Manager().GetTable(1, 8);
    table.Insert("Neu", 1000);
    const fs::path temporary = DiskPath(ReplacingFileWriter::TemporaryName(kHighscoreDiskName));
    const auto expectOldTableKept = [&](const char* why) {
        EXPECT_FALSE(Manager().Save()) << why;
        EXPECT_EQ(dir.Read(kHighscoreDiskName), saved) << why;
        EXPECT_EQ(table.Name(0), "Neu") << why;
    };

    if (fs::exists("/dev/full")) {
        fs::create_symlink("/dev/full", temporary);
        expectOldTableKept("full disk");
        EXPECT_FALSE(fs::is_symlink(temporary));
        EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to write <data\\highscores.dat>!"));
    }
    fs::create_directory(temporary);
    expectOldTableKept("no temporary file");
    fs::remove(temporary);
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to open <data\\highscores.dat>!"));
    // The superuser writes anywhere.
    if (geteuid() != 0) {
        fs::permissions(DiskPath("data"), fs::perms::owner_read | fs::perms::owner_exec);
        expectOldTableKept("read-only directory");
        fs::permissions(DiskPath("data"), fs::perms::owner_all);
    }

    // A save killed before its rename left half a table; the next save clears it away.
    dir.Write("data/highscores.dat.99999999.tmp", saved.substr(0, 9));
    ASSERT_TRUE(Manager().Save());
    EXPECT_FALSE(dir.Exists("data/highscores.dat.99999999.tmp"));
    EXPECT_EQ(SavedPlain(dir).substr(0, 17), "108\n1000 name:Neu");

    fs::remove(DiskPath(kHighscoreDiskName));
    dir.Write("data/highscores.dat/occupied", "x");
    EXPECT_FALSE(Manager().Save());
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_TRUE(Logged("HighscoreManager::Save: Failed to replace <data\\highscores.dat>!"));
}

}  // namespace
