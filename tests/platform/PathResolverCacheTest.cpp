#include <gtest/gtest.h>

#include <filesystem>

#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "platform/PathResolver.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// The resolver keeps a directory's names once a name was missing there; what it keeps must
// never hide a change of the disk.
TEST(PathResolverCacheTest, KeptNamesFollowFilesWrittenRemovedAndDirectoriesMadeAnew)
{
    TempDir dir;
    dir.Write("Data/Sprites/Walk.BMP", "x");
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\walk.bmp"), "Data/Sprites/Walk.BMP");
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\walk_mirror.rle"), "Data/Sprites/walk_mirror.rle");

    dir.Write("Data/Sprites/Walk_Mirror.rle", "by another program");
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\walk_mirror.rle"), "Data/Sprites/Walk_Mirror.rle");

    EXPECT_EQ(platform::ResolvePath("data\\sprites\\walk_alpha.rle"), "Data/Sprites/walk_alpha.rle");
    ASSERT_TRUE(ReplacingFileWriter("data\\sprites\\Walk_Alpha.rle", "Test", ReplacingFileWriter::Kind::Cache)
                    .Write(std::string("renamed into place")));
    EXPECT_EQ(platform::ResolvePath("DATA\\SPRITES\\WALK_ALPHA.RLE"), "Data/Sprites/Walk_Alpha.rle");
    File settings;
    ASSERT_TRUE(settings.OpenDisk("data\\sprites\\Saved.TXT", "w"));
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\saved.txt"), "Data/Sprites/Saved.TXT");

    fs::remove(dir.Path() / "Data/Sprites/Walk.BMP");
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\walk.bmp"), "Data/Sprites/walk.bmp");

    fs::remove_all(dir.Path() / "Data/Sprites");
    dir.Write("Data/SPRITES/Run.bmp", "x");
    EXPECT_EQ(platform::ResolvePath("data\\sprites\\run.BMP"), "Data/SPRITES/Run.bmp");
}

}  // namespace
