#include <cstring>

#include "FilesTestBase.h"
#include "files/File.h"

using StdFileHandlerTest = FilesTestBase;

TEST_F(StdFileHandlerTest, TextModeReadsCrLfAsLf)
{
    dir.Write("t.txt", "one\r\ntwo\rtwo\r\n\r\nend");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.txt", "r"));
    char line[32];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "one\n");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "two\rtwo\n");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "\n");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "end");
    EXPECT_EQ(file.ReadLine(line, sizeof line), nullptr);
    EXPECT_TRUE(file.Eof());

    file.Seek(0, 0);
    char all[32] = {};
    EXPECT_EQ(file.Read(all, sizeof all), 16);
    EXPECT_STREQ(all, "one\ntwo\rtwo\n\nend");
}

TEST_F(StdFileHandlerTest, BinaryModeKeepsEveryByte)
{
    dir.Write("t.txt", "a\r\nb");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.txt", "rb"));
    char line[8];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "a\r\n");
    char rest[8] = {};
    file.Seek(0, 0);
    EXPECT_EQ(file.Read(rest, sizeof rest), 4);
    EXPECT_EQ(std::memcmp(rest, "a\r\nb", 4), 0);
}

TEST_F(StdFileHandlerTest, CrLfSplitByTheBufferStillReadsAsOneNewline)
{
    dir.Write("t.txt", "abc\r\nd\n");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.txt", "r"));
    char line[5];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "abc\n");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "d\n");
}

TEST_F(StdFileHandlerTest, ReadLineStaysInsideTheBuffer)
{
    dir.Write("t.txt", "abcdefgh\n");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.txt", "r"));
    char line[8];
    std::memset(line, '#', sizeof line);
    EXPECT_STREQ(file.ReadLine(line, 4), "abc");
    EXPECT_EQ(line[4], '#');
    EXPECT_STREQ(file.ReadLine(line, 4), "def");
    EXPECT_STREQ(file.ReadLine(line, 4), "gh\n");

    char untouched = 'x';
    EXPECT_EQ(file.ReadLine(&untouched, 0), nullptr);
    EXPECT_EQ(file.ReadLine(&untouched, -5), nullptr);
    EXPECT_EQ(untouched, 'x');
    EXPECT_EQ(file.ReadLine(&untouched, 1), nullptr);
    EXPECT_EQ(untouched, '\0');
}

TEST_F(StdFileHandlerTest, TextModeWritesNewlinesUnchanged)
{
    File file;
    ASSERT_TRUE(file.OpenDisk("out.txt", "w"));
    file.Print("%s=%d\n", "value", 7);
    file.Write("x\n", 2);
    file.Close();
    EXPECT_EQ(dir.Read("out.txt"), "value=7\nx\n");
}

TEST_F(StdFileHandlerTest, SeekToTheEndAndLength)
{
    dir.Write("t.bin", "0123456789");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.bin", "rb"));
    file.Seek(3, 0);
    EXPECT_EQ(file.Length(), 10);
    EXPECT_EQ(file.Tell(), 3);
    file.Seek(0, 2);
    EXPECT_EQ(file.Tell(), 10);
    file.Seek(-4, 2);
    char tail[4];
    EXPECT_EQ(file.Read(tail, 4), 4);
    EXPECT_EQ(std::memcmp(tail, "6789", 4), 0);
}

TEST_F(StdFileHandlerTest, AFileThatIsNotOpenFailsQuietly)
{
    File file;
    EXPECT_FALSE(file.OpenDisk("missing.txt", "r"));
    EXPECT_FALSE(file.IsOpen());
    char buffer[4] = "abc";
    EXPECT_EQ(file.Read(buffer, 4), 0);
    EXPECT_EQ(file.ReadLine(buffer, 4), nullptr);
    EXPECT_EQ(file.Write("x", 1), 0);
    EXPECT_EQ(file.Handle(), nullptr);
    EXPECT_TRUE(file.Eof());
}

TEST_F(StdFileHandlerTest, GetFileTimeIsAFileTimeOfTheLastWrite)
{
    dir.Write("Data/t.rle", "x");
    // 2000-01-01 and 2200-01-01 as 100 ns ticks since 1601.
    uint64_t time = File::GetFileTime("data\\T.RLE");
    EXPECT_GT(time, 125911584000000000ull);
    EXPECT_LT(time, 189025920000000000ull);

    EXPECT_EQ(File::GetFileTime("data\\none.rle"), 0u);
    EXPECT_NE(Log().find("***WARNING: File::GetFileTime: Failed to open file <data\\none.rle>!\n"), std::string::npos);
}
