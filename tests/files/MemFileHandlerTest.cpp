#include <cstring>

#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/File.h"

using archivebytes::Archive;
using archivebytes::Scrambled;

class MemFileHandlerTest : public FilesTestBase {
protected:
    void OpenArchive(const std::vector<std::pair<std::string, std::string>>& files)
    {
        dir.Write("datafile.dat", Archive(files));
        ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
        ASSERT_TRUE(DataFile::Instance().IsAvailable());
    }
};

TEST_F(MemFileHandlerTest, ArchiveTextIsUnscrambledAndEndsWithANewline)
{
    OpenArchive({{"data\\list.txt", "first\r\nsecond\nlast"}});
    File file;
    ASSERT_TRUE(file.Open("DATA\\List.TXT", "r"));
    EXPECT_EQ(file.Length(), 19);
    char line[32];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "first");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "second");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "last");
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.ReadLine(line, sizeof line), nullptr);
    EXPECT_STREQ(line, "");
    EXPECT_TRUE(file.Eof());
}

TEST_F(MemFileHandlerTest, ALongLineIsCutToTheBufferAndContinues)
{
    OpenArchive({{"a.txt", "abcdefg\nxyz\n"}});
    File file;
    ASSERT_TRUE(file.Open("a.txt", "r"));
    char line[8];
    std::memset(line, '#', sizeof line);
    EXPECT_STREQ(file.ReadLine(line, 4), "abc");
    EXPECT_EQ(line[4], '#');
    EXPECT_STREQ(file.ReadLine(line, 4), "def");
    EXPECT_STREQ(file.ReadLine(line, 4), "g");
    EXPECT_STREQ(file.ReadLine(line, 4), "xyz");
    EXPECT_EQ(file.ReadLine(line, 0), nullptr);
}

TEST_F(MemFileHandlerTest, OpenMemUnscramblesADiskFileWithoutAnArchive)
{
    dir.Write("data/highscores.dat", Scrambled("Fenno 100"));
    File file;
    ASSERT_TRUE(file.OpenMem("data\\highscores.dat", "rb"));
    char text[16] = {};
    EXPECT_EQ(file.Read(text, sizeof text), 9);
    EXPECT_TRUE(file.Eof());
    EXPECT_STREQ(text, "Fenno 100");
    EXPECT_EQ(file.Handle(), nullptr);
}

TEST_F(MemFileHandlerTest, SeekClampsAndClearsEofAndWritingIsRefused)
{
    dir.Write("m.dat", Scrambled("0123456789"));
    File file;
    ASSERT_TRUE(file.OpenMem("m.dat", "rb"));
    char c[16];
    EXPECT_EQ(file.Read(c, 16), 10);
    EXPECT_TRUE(file.Eof());
    file.Seek(0, 2);
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.Tell(), 10);
    file.Seek(-2, 2);
    EXPECT_EQ(file.Read(c, 2), 2);
    EXPECT_EQ(std::memcmp(c, "89", 2), 0);
    file.Seek(-5, 1);
    EXPECT_EQ(file.Tell(), 5);
    file.Seek(50, 1);
    EXPECT_EQ(file.Tell(), 10);
    file.Seek(-50, 0);
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_EQ(file.Write("x", 1), 0);
    file.Print("x");
    std::string log = Log();
    EXPECT_NE(log.find("***ERROR: MemFileHandler::Write: Impossible to write to Memfile!\n"), std::string::npos);
    EXPECT_NE(log.find("***ERROR: MemFileHandler::Write: Impossible to print to Datafile!\n"), std::string::npos);
    dir.Write("empty.dat", "");
    File empty;
    ASSERT_TRUE(empty.OpenMem("empty.dat", "rb"));
    EXPECT_EQ(empty.Length(), 0);
}
