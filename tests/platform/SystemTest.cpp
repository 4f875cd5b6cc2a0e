#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "platform/SystemInfo.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(ProgramDirectoryTest, IsTheDirectoryOfTheRunningBinaryAndCanBeChangedInto)
{
    std::string directory = platform::ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    EXPECT_EQ(fs::canonical(directory), fs::canonical("/proc/self/exe").parent_path());
    // Changing into it makes it the working directory.
    TempDir elsewhere;
    ASSERT_TRUE(platform::ChangeToProgramDirectory());
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical("/proc/self/exe").parent_path());
}

TEST(SystemInfoTest, KernelReleaseNumbersAreReadAndMissingOnesAreZero)
{
    platform::KernelVersion version = platform::ParseKernelRelease("6.1.0-18-amd64");
    EXPECT_EQ(version.major, 6);
    EXPECT_EQ(version.minor, 1);
    EXPECT_EQ(version.build, 0);
    version = platform::ParseKernelRelease("5.15.153.1-microsoft-standard-WSL2");
    EXPECT_EQ(version.major, 5);
    EXPECT_EQ(version.minor, 15);
    EXPECT_EQ(version.build, 153);
    // Short or broken releases leave zeros.
    version = platform::ParseKernelRelease("4");
    EXPECT_EQ(version.major, 4);
    EXPECT_EQ(version.minor, 0);
    EXPECT_EQ(version.build, 0);
    version = platform::ParseKernelRelease("linux");
    EXPECT_EQ(version.major, 0);
    version = platform::ParseKernelRelease(nullptr);
    EXPECT_EQ(version.major, 0);
    // The running kernel has a major version.
    EXPECT_GT(platform::GetKernelVersion().major, 0);
}

TEST(ClockTest, WaitLastsAtLeastTheAskedTimeAndTheCounterAdvances)
{
    uint32_t mark = platform::Clock::Milliseconds();
    platform::Clock::WaitUntilElapsed(mark, 15);
    EXPECT_GE(platform::Clock::Milliseconds() - mark, 15u);
    EXPECT_GT(platform::Clock::PerformanceFrequency(), 0u);
    uint64_t first = platform::Clock::PerformanceCounter();
    platform::Clock::Sleep(1);
    EXPECT_GT(platform::Clock::PerformanceCounter(), first);
}

}  // namespace
