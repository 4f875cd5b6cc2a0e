#include <gtest/gtest.h>

#include <cstdio>

#include "platform/DiskSync.h"
#include "support/TempDir.h"

namespace {

TEST(DiskSyncTest, WrittenBytesReachTheFile)
{
    TempDir dir;
    std::FILE* stream = std::fopen("saved.dat", "wb");
    ASSERT_NE(stream, nullptr);
    std::fputs("108\n", stream);
    EXPECT_TRUE(platform::SyncToDisk(stream));
    EXPECT_EQ(dir.Read("saved.dat"), "108\n") << "readable before the stream is closed";
    std::fclose(stream);
}

TEST(DiskSyncTest, AFullDiskOrNoStreamIsAFailure)
{
    EXPECT_FALSE(platform::SyncToDisk(nullptr));
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full) {
        GTEST_SKIP() << "no /dev/full";
    }
    std::fputs("108\n", full);
    EXPECT_FALSE(platform::SyncToDisk(full));
    std::fclose(full);
}

TEST(DiskSyncTest, ADeviceThatCannotSyncCountsAsDone)
{
    std::FILE* sink = std::fopen("/dev/null", "wb");
    ASSERT_NE(sink, nullptr);
    std::fputs("108\n", sink);
    EXPECT_TRUE(platform::SyncToDisk(sink));
    std::fclose(sink);
}

}  // namespace
