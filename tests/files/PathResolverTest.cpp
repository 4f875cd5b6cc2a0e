#include <filesystem>

#include "FilesTestBase.h"
#include "files/File.h"
#include "platform/PathResolver.h"

namespace fs = std::filesystem;

using PathResolverTest = FilesTestBase;

TEST_F(PathResolverTest, MatchesEveryComponentWithoutRegardToCaseAndKeepsTheSpellingOfMissingOnes)
{
    dir.Write("Data/Level01/RoundEnd.txt", "x");
    EXPECT_EQ(platform::ResolvePath("data\\level01\\ROUNDEND.TXT"), "Data/Level01/RoundEnd.txt");
    EXPECT_EQ(platform::ResolvePath("DATA/Level01/roundend.txt"), "Data/Level01/RoundEnd.txt");
    EXPECT_EQ(platform::ResolvePath("Data\\Level01\\RoundEnd.txt"), "Data/Level01/RoundEnd.txt");
    // Missing components keep their spelling.
    EXPECT_EQ(platform::ResolvePath("data\\New.txt"), "Data/New.txt");
    EXPECT_EQ(platform::ResolvePath("data\\NewDir\\Sub\\File.TXT"), "Data/NewDir/Sub/File.TXT");
    EXPECT_EQ(platform::ResolvePath("Other\\x.dat"), "Other/x.dat");
    // Absolute paths stay absolute.
    dir.Write("Data/A.txt", "x");
    std::string absolute = (dir.Path() / "data" / "a.txt").string();
    EXPECT_EQ(platform::ResolvePath(absolute), (dir.Path() / "Data" / "A.txt").string());
}

TEST_F(PathResolverTest, TheCacheFollowsFilesCreatedAfterAMissAndFilesThatAreGone)
{
    dir.Write("Data/keep.txt", "x");
    EXPECT_EQ(platform::ResolvePath("data\\Later.TXT"), "Data/Later.TXT");
    dir.Write("Data/later.txt", "x");
    EXPECT_EQ(platform::ResolvePath("data\\Later.TXT"), "Data/later.txt");
    // A resolved name that is gone is forgotten.
    dir.Write("Data/Scores.dat", "x");
    EXPECT_EQ(platform::ResolvePath("data\\scores.dat"), "Data/Scores.dat");
    fs::remove(dir.Path() / "Data/Scores.dat");
    dir.Write("Data/SCORES.dat", "x");
    EXPECT_EQ(platform::ResolvePath("data\\scores.dat"), "Data/SCORES.dat");
}

TEST_F(PathResolverTest, DiskFilesOpenAndCreateThroughTheResolver)
{
    dir.Write("Data/Shared/Credits.txt", "line\n");
    File reader;
    ASSERT_TRUE(reader.OpenDisk("data\\shared\\credits.txt", "r"));
    char line[16];
    ASSERT_NE(reader.ReadLine(line, sizeof line), nullptr);
    EXPECT_STREQ(line, "line\n");

    File writer;
    ASSERT_TRUE(writer.OpenDisk("DATA\\Highscores.dat", "wb"));
    writer.Write("abc", 3);
    writer.Close();
    EXPECT_EQ(dir.Read("Data/Highscores.dat"), "abc");
}
