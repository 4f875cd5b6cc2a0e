#include <cstring>
#include <functional>

#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/File.h"

using archivebytes::Archive;
using archivebytes::Scrambled;

namespace {

// One way of opening a file, as the disk, the archive or a memory copy serves it.
struct View {
    const char* name;
    std::function<bool(File&)> open;
    const char* expected;
};

using FileHandlersTest = FilesTestBase;

TEST_F(FileHandlersTest, ReadLineStaysInsideTheBufferOnEveryView)
{
    const std::string text = "abcdefg\nhi";
    OpenArchive(Archive({{"entry.bin", text}, {"text.txt", text}}));
    dir.Write("disk.txt", text);
    dir.Write("copy.dat", Scrambled(text));
    // The third line of each: only the disk's text mode keeps the newline.
    const View views[] = {
        {"disk", [](File& file) { return file.OpenDisk("disk.txt", "r"); }, "g\n"},
        {"archive entry", [](File& file) { return file.Open("entry.bin", "rb"); }, "g"},
        {"archive text", [](File& file) { return file.Open("text.txt", "r"); }, "g"},
        {"memory copy of a disk file", [](File& file) { return file.OpenMem("copy.dat", "rb"); }, "g"},
    };
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        File file;
        ASSERT_TRUE(view.open(file));
        char line[8];
        std::memset(line, '#', sizeof line);
        EXPECT_STREQ(file.ReadLine(line, 4), "abc");
        EXPECT_EQ(line[4], '#');
        EXPECT_STREQ(file.ReadLine(line, 4), "def");
        EXPECT_STREQ(file.ReadLine(line, 4), view.expected);
        char untouched = 'x';
        EXPECT_EQ(file.ReadLine(&untouched, 0), nullptr);
        EXPECT_EQ(file.ReadLine(&untouched, -5), nullptr);
        EXPECT_EQ(untouched, 'x');
        EXPECT_EQ(file.ReadLine(&untouched, 1), nullptr);
        EXPECT_EQ(untouched, '\0');
        EXPECT_STREQ(file.ReadLine(line, 4), "hi");
        EXPECT_EQ(file.ReadLine(line, 4), nullptr);
    }
}

TEST_F(FileHandlersTest, ArchiveAndMemoryViewsClampSeeksAndRefuseWritingWithALogLine)
{
    OpenArchive(Archive({{"entry.bin", "0123456789"}}));
    dir.Write("copy.dat", Scrambled("0123456789"));
    const View views[] = {
        {"archive entry", [](File& file) { return file.Open("entry.bin", "rb"); },
         "***ERROR: DataFileHandler::Write: Impossible to write to Datafile!\n"
         "***ERROR: DataFileHandler::Write: Impossible to print to Datafile!\n"},
        {"memory copy", [](File& file) { return file.OpenMem("copy.dat", "rb"); },
         "***ERROR: MemFileHandler::Write: Impossible to write to Memfile!\n"
         "***ERROR: MemFileHandler::Write: Impossible to print to Datafile!\n"},
    };
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        Debug::Instance().CreateLogFile("log.txt");
        File file;
        ASSERT_TRUE(view.open(file));
        char c[16];
        EXPECT_EQ(file.Read(c, 16), 10);
        EXPECT_TRUE(file.Eof());
        file.Seek(-2, 2);
        EXPECT_FALSE(file.Eof());
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
        EXPECT_EQ(Log(), view.expected);
    }
}

TEST_F(FileHandlersTest, MemoryCopiesAreUnscrambledAndAnArchiveTextEndsWithANewline)
{
    OpenArchive(Archive({{"data\\list.txt", "first\r\nsecond\nlast"}}));
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

    // A file the archive does not hold is read from the disk and unscrambled whole.
    dir.Write("data/highscores.dat", Scrambled("Fenno 100"));
    ASSERT_TRUE(file.OpenMem("data\\highscores.dat", "rb"));
    char text[16] = {};
    EXPECT_EQ(file.Read(text, sizeof text), 9);
    EXPECT_TRUE(file.Eof());
    EXPECT_STREQ(text, "Fenno 100");
    EXPECT_EQ(file.Handle(), nullptr);
    dir.Write("empty.dat", "");
    ASSERT_TRUE(file.OpenMem("empty.dat", "rb"));
    EXPECT_EQ(file.Length(), 0);
}

TEST_F(FileHandlersTest, DiskTextModeReadsCrLfAsLfEvenSplitByTheBufferAndWritesNewlinesUnchanged)
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

    dir.Write("split.txt", "abc\r\nd\n");
    ASSERT_TRUE(file.OpenDisk("split.txt", "r"));
    char small[5];
    EXPECT_STREQ(file.ReadLine(small, sizeof small), "abc\n");
    EXPECT_STREQ(file.ReadLine(small, sizeof small), "d\n");

    File out;
    ASSERT_TRUE(out.OpenDisk("out.txt", "w"));
    out.Print("%s=%d\n", "value", 7);
    out.Write("x\n", 2);
    out.Close();
    EXPECT_EQ(dir.Read("out.txt"), "value=7\nx\n");
}

TEST_F(FileHandlersTest, DiskBinaryModeKeepsEveryByte)
{
    dir.Write("t.txt", "a\r\nb");
    File file;
    ASSERT_TRUE(file.OpenDisk("t.txt", "rb"));
    char line[8];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "a\r\n");
    EXPECT_EQ(file.Tell(), 3);
    file.Seek(0, 0);
    char all[8] = {};
    EXPECT_EQ(file.Read(all, sizeof all), 4);
    EXPECT_EQ(std::memcmp(all, "a\r\nb", 4), 0);
}

TEST_F(FileHandlersTest, AFileNotOpenFailsQuietlyAndOnlyAFileOnDiskHasAWriteTime)
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

    dir.Write("Data/t.rle", "x");
    // 2000-01-01 and 2200-01-01 as 100 ns ticks since 1601.
    const uint64_t time = File::GetFileTime("data\\T.RLE");
    EXPECT_GT(time, 125911584000000000ull);
    EXPECT_LT(time, 189025920000000000ull);
    EXPECT_EQ(File::GetFileTime("data\\none.rle"), 0u);
    EXPECT_NE(Log().find("***WARNING: File::GetFileTime: Failed to open file <data\\none.rle>!\n"), std::string::npos);
}

}  // namespace
