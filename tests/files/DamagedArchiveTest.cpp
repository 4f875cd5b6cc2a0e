#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/File.h"

// Every cut and every single damaged byte of a small archive: the reader either refuses it or
// serves entries that stay inside the file; it never reads out of bounds.
class DamagedArchiveTest : public FilesTestBase {
protected:
    void SetUp() override
    {
        FilesTestBase::SetUp();
        good = archivebytes::Archive({{"a.txt", "one\ntwo\n"}, {"b.bin", "0123456789"}});
    }
    // Whether the archive was accepted.
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

    std::string good;
};

TEST_F(DamagedArchiveTest, EveryTruncationIsRefusedOrSafe)
{
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        // The data of b.bin is last: any cut loses part of it, so the archive is refused.
        EXPECT_FALSE(ReadEverythingFrom(good.substr(0, length)));
    }
}

TEST_F(DamagedArchiveTest, AnArchiveWithoutEntriesIsRefused)
{
    EXPECT_FALSE(ReadEverythingFrom(archivebytes::Archive({})));
    EXPECT_NE(Log().find("holds no files"), std::string::npos);
}

TEST_F(DamagedArchiveTest, EveryDamagedDirectoryByteIsRefusedOrSafe)
{
    ASSERT_TRUE(ReadEverythingFrom(good));
    for (size_t at = 0; at < 4 + 2 * 80; ++at) {
        for (unsigned char value : {0x00, 0x7F, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "byte " << at << " = " << int(value));
            std::string bytes = good;
            bytes[at] = static_cast<char>(value);
            ReadEverythingFrom(bytes);
        }
    }
}
