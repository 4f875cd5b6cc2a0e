#include <cstring>
#include <filesystem>

#include "ArchiveWriter.h"
#include "files/ArchiveBytes.h"
#include "files/FilesTestBase.h"
#include "files/File.h"

namespace fs = std::filesystem;

class ArchiveWriterTest : public FilesTestBase {
protected:
    void PackAndOpen()
    {
        ArchiveWriter writer;
        ASSERT_TRUE(writer.Pack("in", "datafile.dat")) << writer.Error();
        // Only the archive may answer from here on.
        fs::remove_all(dir.Path() / "in");
        ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
        ASSERT_TRUE(DataFile::Instance().IsAvailable());
    }
    std::string ReadAll(const char* name, const char* mode)
    {
        File file;
        if (!file.Open(name, mode)) {
            return "<not open>";
        }
        std::string bytes(static_cast<size_t>(file.Length()), '\0');
        file.Read(bytes.data(), static_cast<int>(bytes.size()));
        return bytes;
    }
};

TEST_F(ArchiveWriterTest, ATinyArchiveMatchesTheFormatByteForByte)
{
    dir.Write("in/a.txt", "ABC");
    dir.Write("in/Sub/B.BIN", std::string("\x01\x02", 2));

    std::string expected;
    expected += std::string("\x02\x00\x00\x00", 4);
    std::string first = "a.txt";
    first.resize(64, '\0');
    expected += first;
    expected += std::string("\xA4\x00\x00\x00", 4);  // 4 + 2 x 80 = 164
    expected += std::string("\x03\x00\x00\x00", 4);
    expected += std::string(8, '\0');
    std::string second = "sub\\b.bin";
    second.resize(64, '\0');
    expected += second;
    expected += std::string("\xA7\x00\x00\x00", 4);  // 164 + 3
    expected += std::string("\x02\x00\x00\x00", 4);
    expected += std::string(8, '\0');
    expected += "\xA5\xF6\xE4";  // "ABC" scrambled
    expected += std::string("\x01\x02", 2);

    ArchiveWriter writer;
    EXPECT_EQ(writer.Build("in"), expected);
    ASSERT_TRUE(writer.Pack("in", "out.dat"));
    EXPECT_EQ(dir.Read("out.dat"), expected);
}

TEST_F(ArchiveWriterTest, PackedFilesReadBackThroughTheArchive)
{
    std::string picture("BM\0\x01\xFF\r\n", 7);
    dir.Write("in/Data/Level01/Sprites.txt", "first line\r\nsecond\nlast without newline");
    dir.Write("in/Data/Level01/Board.BMP", picture);
    dir.Write("in/Data/Empty.txt", "");
    PackAndOpen();

    File text;
    ASSERT_TRUE(text.Open("DATA\\LEVEL01\\SPRITES.TXT", "r"));
    char line[64];
    EXPECT_STREQ(text.ReadLine(line, sizeof line), "first line");
    EXPECT_STREQ(text.ReadLine(line, sizeof line), "second");
    EXPECT_STREQ(text.ReadLine(line, sizeof line), "last without newline");

    EXPECT_EQ(ReadAll("data\\Level01\\board.bmp", "rb"), picture);
    EXPECT_EQ(ReadAll("data/level01/board.bmp", "rb"), picture);

    File empty;
    ASSERT_TRUE(empty.Open("data\\empty.txt", "r"));
    EXPECT_STREQ(empty.ReadLine(line, sizeof line), "");
    EXPECT_EQ(empty.ReadLine(line, sizeof line), nullptr);
    EXPECT_TRUE(empty.Eof());
}

TEST_F(ArchiveWriterTest, DiskTextBesideAnOpenArchiveIsUnscrambled)
{
    dir.Write("in/data/config.txt", "x\n");
    PackAndOpen();
    dir.Write("data/extra.txt", archivebytes::Scrambled("extra line\n"));
    File file;
    ASSERT_TRUE(file.Open("Data\\Extra.txt", "r"));
    char line[32];
    EXPECT_STREQ(file.ReadLine(line, sizeof line), "extra line");
    EXPECT_FALSE(file.Open("data\\none.txt", "r"));
}

TEST_F(ArchiveWriterTest, OnlyReadingFromTheArchiveWhileItIsOpen)
{
    dir.Write("in/data/config.txt", "x\n");
    dir.Write("in/data/in.bin", "abc");
    PackAndOpen();
    File file;
    EXPECT_FALSE(file.Open("data\\config.txt", "w"));
    EXPECT_NE(Log().find("***ERROR: File::Open: Can't write to Datafile!\n"), std::string::npos);
    EXPECT_FALSE(file.Open("data\\in.bin", "ab"));
    EXPECT_FALSE(file.Open("data\\in.bin", "r+b"));

    dir.Write("data/out.bin", "disk");
    EXPECT_FALSE(file.Open("data\\out.bin", "rb"));
    EXPECT_TRUE(file.OpenDisk("data\\out.bin", "rb"));
    EXPECT_TRUE(file.OpenDisk("data\\debug.txt", "w"));
}

TEST_F(ArchiveWriterTest, SeekToTheEndOnEveryHandler)
{
    dir.Write("in/a.txt", "12345");
    dir.Write("in/b.bin", "1234567");
    dir.Write("c.bin", "123");
    PackAndOpen();

    File mem;
    ASSERT_TRUE(mem.Open("a.txt", "r"));
    File entry;
    ASSERT_TRUE(entry.Open("b.bin", "rb"));
    File disk;
    ASSERT_TRUE(disk.OpenDisk("c.bin", "rb"));
    for (File* file : {&mem, &entry, &disk}) {
        file->Seek(0, 2);
        EXPECT_EQ(file->Tell(), file->Length());
        char c;
        EXPECT_EQ(file->Read(&c, 1), 0);
        EXPECT_TRUE(file->Eof());
    }
    EXPECT_EQ(mem.Length(), 6);
    EXPECT_EQ(entry.Length(), 7);
    EXPECT_EQ(disk.Length(), 3);
}

TEST_F(ArchiveWriterTest, EntriesAreSortedAndTheArchiveIsNeverPackedIntoItself)
{
    dir.Write("in/b.bin", "b");
    dir.Write("in/A.bin", "a");
    dir.Write("in/datafile.dat", "old");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.Pack("in", "in/datafile.dat")) << writer.Error();
    std::string bytes = dir.Read("in/datafile.dat");
    ASSERT_EQ(bytes.size(), 4u + 2 * 80 + 2);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_STREQ(bytes.c_str() + 4, "a.bin");
    EXPECT_STREQ(bytes.c_str() + 84, "b.bin");
    EXPECT_EQ(writer.Build("in"), writer.Build("in"));
}

TEST_F(ArchiveWriterTest, AnEmptyDirectoryMakesAnEmptyArchiveThatTheGameIgnores)
{
    fs::create_directories(dir.Path() / "in");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.Pack("in", "datafile.dat"));
    EXPECT_EQ(dir.Read("datafile.dat"), std::string(4, '\0'));
    // It would hide every file of data/ behind it.
    EXPECT_FALSE(DataFile::Instance().Open("datafile.dat"));
    EXPECT_FALSE(DataFile::Instance().IsAvailable());
}

TEST_F(ArchiveWriterTest, RefusesWhatTheArchiveCannotHold)
{
    ArchiveWriter writer;
    EXPECT_FALSE(writer.Pack("missing", "datafile.dat"));
    EXPECT_NE(writer.Error().find("cannot read the directory"), std::string::npos);
    EXPECT_FALSE(dir.Exists("datafile.dat"));

    dir.Write("in/" + std::string(63, 'n'), "fits");
    EXPECT_TRUE(writer.Pack("in", "datafile.dat")) << writer.Error();
    dir.Write("in/" + std::string(64, 'n'), "too long");
    EXPECT_FALSE(writer.Pack("in", "other.dat"));
    EXPECT_NE(writer.Error().find("longer than 63 bytes"), std::string::npos);
    EXPECT_FALSE(dir.Exists("other.dat"));
}

TEST_F(ArchiveWriterTest, RefusesNamesThatDifferOnlyInCase)
{
    dir.Write("in/data/Config.txt", "a");
    dir.Write("in/data/config.txt", "b");
    ArchiveWriter writer;
    EXPECT_FALSE(writer.Pack("in", "datafile.dat"));
    EXPECT_NE(writer.Error().find("data\\config.txt"), std::string::npos);
}
