#include <cstring>

#include "FilesTestBase.h"
#include "files/File.h"

using StdFileHandlerTest = FilesTestBase;

TEST_F(StdFileHandlerTest, TextModeReadsCrLfAsLfAndWritesNewlinesUnchanged)
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

    // A CR LF split by the buffer still reads as one newline.
    dir.Write("split.txt", "abc\r\nd\n");
    File split;
    ASSERT_TRUE(split.OpenDisk("split.txt", "r"));
    char small[5];
    EXPECT_STREQ(split.ReadLine(small, sizeof small), "abc\n");
    EXPECT_STREQ(split.ReadLine(small, sizeof small), "d\n");
    // Writing keeps the newlines unchanged.
    File out;
    ASSERT_TRUE(out.OpenDisk("out.txt", "w"));
    out.Print("%s=%d\n", "value", 7);
    out.Write("x\n", 2);
    out.Close();
    EXPECT_EQ(dir.Read("out.txt"), "value=7\nx\n");
}

TEST_F(StdFileHandlerTest, BinaryModeKeepsEveryByteAndSeeksFromEitherEnd)
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
    file.Seek(1, 0);
    EXPECT_EQ(file.Length(), 4);
    EXPECT_EQ(file.Tell(), 1);
    file.Seek(0, 2);
    EXPECT_EQ(file.Tell(), 4);
    file.Seek(-2, 2);
    EXPECT_EQ(file.Read(rest, 2), 2);
    EXPECT_EQ(std::memcmp(rest, "\nb", 2), 0);
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
