#include <cstring>

#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/File.h"

using archivebytes::Archive;
using archivebytes::Directory;
using archivebytes::RawEntry;

class DataFileTest : public FilesTestBase {
protected:
    void OpenArchive(const std::string& bytes)
    {
        dir.Write("datafile.dat", bytes);
        ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
        ASSERT_TRUE(DataFile::Instance().IsAvailable());
    }
    // A refused archive: logged, not available, and the disk serves instead.
    void ExpectRefused(const std::string& bytes)
    {
        dir.Write("datafile.dat", bytes);
        EXPECT_FALSE(DataFile::Instance().Open("datafile.dat"));
        EXPECT_FALSE(DataFile::Instance().IsAvailable());
        EXPECT_NE(Log().find("***ERROR: DataFile::Open: "), std::string::npos);
        dir.Write("data/plain.bin", "disk");
        File file;
        EXPECT_TRUE(file.Open("data\\plain.bin", "rb"));
        EXPECT_EQ(file.Length(), 4);
    }
};

TEST_F(DataFileTest, AMissingArchiveIsNoErrorAndFindIgnoresCaseAndAcceptsSlashes)
{
    EXPECT_TRUE(DataFile::Instance().Open("datafile.dat"));
    EXPECT_FALSE(DataFile::Instance().IsAvailable());
    EXPECT_EQ(Log(), "Datafile is not available.\n");
    int offset = 0;
    int size = 0;
    EXPECT_EQ(DataFile::Instance().Find("data\\config.txt", offset, size), nullptr);

    OpenArchive(Archive({{"data\\level01\\map.bin", "abc"}, {"data\\a.bin", "12345"}}));
    ASSERT_NE(DataFile::Instance().Find("Data\\Level01\\MAP.BIN", offset, size), nullptr);
    EXPECT_EQ(offset, 4 + 2 * 80);
    EXPECT_EQ(size, 3);
    ASSERT_NE(DataFile::Instance().Find("data/a.bin", offset, size), nullptr);
    EXPECT_EQ(offset, 4 + 2 * 80 + 3);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(DataFile::Instance().Find("data\\b.bin", offset, size), nullptr);
}

TEST_F(DataFileTest, TheFirstOfTwoEqualNamesWinsAndANameMayFillTheWholeField)
{
    std::string bytes = Directory(2, {{"x.bin", 164, 1}, {"x.bin", 165, 1}}) + "AB";
    OpenArchive(bytes);
    File file;
    ASSERT_TRUE(file.Open("x.bin", "rb"));
    char c = 0;
    EXPECT_EQ(file.Read(&c, 1), 1);
    EXPECT_EQ(c, 'A');

    // A name filling the whole field ends with it.
    DataFile::Instance().Close();
    std::string name(64, 'n');
    OpenArchive(Directory(1, {{name, 84, 2}}) + "ok");
    int offset = 0;
    int size = 0;
    EXPECT_NE(DataFile::Instance().Find(name.c_str(), offset, size), nullptr);
    EXPECT_EQ(size, 2);
}

TEST_F(DataFileTest, DamagedArchivesAreRefused)
{
    {
        SCOPED_TRACE("shorter than the count");
        ExpectRefused("\x01\x00");
    }
    {
        SCOPED_TRACE("count larger than the directory");
        ExpectRefused(Directory(2, {{"a.bin", 164, 0}}));
    }
    {
        SCOPED_TRACE("huge count");
        ExpectRefused(Directory(0xFFFFFFFFu, {{"a.bin", 84, 0}}));
    }
    {
        SCOPED_TRACE("offset plus size past the end");
        ExpectRefused(Directory(1, {{"a.bin", 84, 5}}) + "abcd");
    }
    {
        SCOPED_TRACE("offset past the end");
        ExpectRefused(Directory(1, {{"a.bin", 0xFFFFFFF0u, 0x20}}) + "abcd");
    }
}

TEST_F(DataFileTest, EntryViewsStayInsideTheirEntry)
{
    OpenArchive(Archive({{"a.bin", "line1\r\nline2"}, {"b.bin", "NEXT\n"}}));
    File file;
    ASSERT_TRUE(file.Open("A.BIN", "rb"));
    EXPECT_EQ(file.Length(), 12);
    char line[32];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "line1");
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "line2");
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.ReadLine(line, sizeof line), nullptr);

    file.Seek(-3, 2);
    char tail[8] = {};
    EXPECT_EQ(file.Read(tail, sizeof tail), 3);
    EXPECT_STREQ(tail, "ne2");
    file.Seek(0, 2);
    EXPECT_EQ(file.Tell(), 12);
    EXPECT_EQ(file.Read(tail, 1), 0);
    file.Seek(100, 0);
    EXPECT_EQ(file.Tell(), 12);
}

TEST_F(DataFileTest, EntryReadLineOnASmallBuffer)
{
    OpenArchive(Archive({{"a.bin", "abcdefg\nhi"}}));
    File file;
    ASSERT_TRUE(file.Open("a.bin", "rb"));
    char line[8];
    std::memset(line, '#', sizeof line);
    EXPECT_STREQ(file.ReadLine(line, 4), "abc");
    EXPECT_EQ(line[4], '#');
    EXPECT_STREQ(file.ReadLine(line, 4), "def");
    EXPECT_STREQ(file.ReadLine(line, 4), "g");
    EXPECT_STREQ(file.ReadLine(line, 4), "hi");
    EXPECT_EQ(file.ReadLine(line, 0), nullptr);
}

TEST_F(DataFileTest, EntryViewsRefuseWritingAndUnknownSeeksAndReadNothingOnceClosed)
{
    OpenArchive(Archive({{"a.bin", "abc"}}));
    File file;
    ASSERT_TRUE(file.Open("a.bin", "rb"));
    EXPECT_EQ(file.Write("x", 1), 0);
    file.Print("x");
    file.Seek(1, 7);
    std::string log = Log();
    EXPECT_NE(log.find("***ERROR: DataFileHandler::Write: Impossible to write to Datafile!\n"), std::string::npos);
    EXPECT_NE(log.find("***ERROR: DataFileHandler::Write: Impossible to print to Datafile!\n"), std::string::npos);
    EXPECT_NE(log.find("***ERROR: DataFileHandler::Seek: unknown mode(7)\n"), std::string::npos);
    EXPECT_EQ(file.Tell(), 0);

    // A view of a closed archive reads nothing.
    DataFile::Instance().Close();
    EXPECT_FALSE(DataFile::Instance().IsAvailable());
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, 3), 0);
    EXPECT_EQ(file.Handle(), nullptr);
}

TEST_F(DataFileTest, HandleIsTheArchiveStreamAtTheEntryPosition)
{
    OpenArchive(Archive({{"a.bin", "xx"}, {"b.bin", "hello"}}));
    File file;
    ASSERT_TRUE(file.Open("b.bin", "rb"));
    file.Seek(1, 0);
    std::FILE* stream = file.Handle();
    ASSERT_NE(stream, nullptr);
    char text[5] = {};
    EXPECT_EQ(std::fread(text, 1, 4, stream), 4u);
    EXPECT_STREQ(text, "ello");
}
