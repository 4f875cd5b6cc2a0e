#include "FilesTestBase.h"
#include "files/File.h"
#include "platform/PathResolver.h"

namespace {

using PathResolverTest = FilesTestBase;

TEST_F(PathResolverTest, MatchesEveryComponentWithoutRegardToCaseAndKeepsTheSpellingOfMissingOnes)
{
    dir.Write("Data/Level01/RoundEnd.txt", "line\n");
    EXPECT_EQ(platform::ResolvePath("data\\level01\\ROUNDEND.TXT"), "Data/Level01/RoundEnd.txt");
    EXPECT_EQ(platform::ResolvePath("DATA/Level01/roundend.txt"), "Data/Level01/RoundEnd.txt");
    EXPECT_EQ(platform::ResolvePath("Data\\Level01\\RoundEnd.txt"), "Data/Level01/RoundEnd.txt");
    EXPECT_EQ(platform::ResolvePath("data\\New.txt"), "Data/New.txt");
    EXPECT_EQ(platform::ResolvePath("data\\NewDir\\Sub\\File.TXT"), "Data/NewDir/Sub/File.TXT");
    EXPECT_EQ(platform::ResolvePath("Other\\x.dat"), "Other/x.dat");
    // Absolute paths stay absolute.
    dir.Write("Data/A.txt", "x");
    std::string absolute = (dir.Path() / "data" / "a.txt").string();
    EXPECT_EQ(platform::ResolvePath(absolute), (dir.Path() / "Data" / "A.txt").string());

    File reader;
    ASSERT_TRUE(reader.OpenDisk("data\\level01\\roundend.txt", "r"));
    char line[16];
    EXPECT_STREQ(reader.ReadLine(line, sizeof line), "line\n");
}

}  // namespace
