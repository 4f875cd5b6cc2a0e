#include <utility>

#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/File.h"

using archivebytes::Archive;
using archivebytes::Directory;

namespace {

class DataFileTest : public FilesTestBase {
protected:
    // Whether the archive was taken; every entry it serves is read to its end either way.
    bool ReadEverythingFrom(const std::string& bytes)
    {
        dir.Write("datafile.dat", bytes);
        DataFile::Instance().Open("datafile.dat");
        bool available = DataFile::Instance().IsAvailable();
        for (const char* name : {"a.txt", "b.bin"}) {
            File file;
            if (!file.Open(name, "rb")) {
                continue;
            }
            char line[8];
            while (file.ReadLine(line, sizeof line)) {
            }
            file.Seek(0, 0);
            char all[64];
            EXPECT_LE(file.Read(all, sizeof all), file.Length());
        }
        DataFile::Instance().Close();
        return available;
    }
};

TEST_F(DataFileTest, AMissingArchiveIsNoErrorAndADamagedOneIsRefusedWithItsReasonWhileTheDiskServes)
{
    EXPECT_TRUE(DataFile::Instance().Open("datafile.dat"));
    EXPECT_FALSE(DataFile::Instance().IsAvailable());
    EXPECT_EQ(Log(), "Datafile is not available.\n");

    dir.Write("data/plain.bin", "disk");
    const std::pair<std::string, std::string> damaged[] = {
        {std::string("\x01", 1), "Archive too short"},
        {Directory(2, {{"a.bin", 164, 0}}), "Directory of 2 entries runs past the end"},
        {Directory(0xFFFFFFFFu, {{"a.bin", 84, 0}}), "Directory of 4294967295 entries runs past the end"},
        {Directory(1, {{"a.bin", 84, 5}}) + "abcd", "Entry <a.bin> runs past the end"},
        {Directory(1, {{"a.bin", 0xFFFFFFF0u, 0x20}}) + "abcd", "Entry <a.bin> runs past the end"},
        {Archive({}), "holds no files"},
    };
    for (const auto& [bytes, reason] : damaged) {
        SCOPED_TRACE(reason);
        Debug::Instance().CreateLogFile("log.txt");
        dir.Write("datafile.dat", bytes);
        EXPECT_FALSE(DataFile::Instance().Open("datafile.dat"));
        EXPECT_FALSE(DataFile::Instance().IsAvailable());
        EXPECT_EQ(Log().rfind("***ERROR: DataFile::Open: ", 0), 0u) << Log();
        EXPECT_NE(Log().find(reason), std::string::npos) << Log();
        File file;
        EXPECT_TRUE(file.Open("data\\plain.bin", "rb"));
        EXPECT_EQ(file.Length(), 4);
    }
}

// Every cut and every single damaged directory byte: the reader either refuses the archive or
// serves entries that stay inside the file; it never reads out of bounds.
TEST_F(DataFileTest, EveryCutIsRefusedAndEveryDamagedDirectoryByteIsRefusedOrSafe)
{
    const std::string good = Archive({{"a.txt", "one\ntwo\n"}, {"b.bin", "0123456789"}});
    ASSERT_TRUE(ReadEverythingFrom(good));
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        // The data of b.bin is last: any cut loses part of it.
        EXPECT_FALSE(ReadEverythingFrom(good.substr(0, length)));
    }
    for (size_t at = 0; at < 4 + 2 * 80; ++at) {
        for (unsigned char value : {0x00, 0x7F, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "byte " << at << " = " << int(value));
            std::string bytes = good;
            bytes[at] = static_cast<char>(value);
            ReadEverythingFrom(bytes);
        }
    }
}

TEST_F(DataFileTest, TheFirstOfTwoEqualNamesWinsAndANameMayFillTheWholeField)
{
    OpenArchive(Directory(2, {{"x.bin", 164, 1}, {"x.bin", 165, 1}}) + "AB");
    File file;
    ASSERT_TRUE(file.Open("x.bin", "rb"));
    char c = 0;
    EXPECT_EQ(file.Read(&c, 1), 1);
    EXPECT_EQ(c, 'A');

    const std::string name(64, 'n');
    OpenArchive(Directory(1, {{name, 84, 2}}) + "ok");
    int offset = 0;
    int size = 0;
    EXPECT_NE(DataFile::Instance().Find(name.c_str(), offset, size), nullptr);
    EXPECT_EQ(size, 2);
}

TEST_F(DataFileTest, EntryViewsStayInsideTheirEntryRefuseWritingAndReadNothingOnceTheArchiveCloses)
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

    // The handle is the archive's stream at the entry's position.
    file.Seek(1, 0);
    std::FILE* stream = file.Handle();
    ASSERT_NE(stream, nullptr);
    char text[5] = {};
    EXPECT_EQ(std::fread(text, 1, 4, stream), 4u);
    EXPECT_STREQ(text, "ine1");

    file.Seek(1, 7);
    EXPECT_NE(Log().find("***ERROR: DataFileHandler::Seek: unknown mode(7)\n"), std::string::npos);
    EXPECT_EQ(file.Tell(), 1);

    DataFile::Instance().Close();
    EXPECT_FALSE(DataFile::Instance().IsAvailable());
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, 3), 0);
    EXPECT_EQ(file.Handle(), nullptr);
}

}  // namespace
