#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "crash/CrashHandler.h"
#include "crash/VersionProbe.h"
#include "support/TempDir.h"

namespace {

// The child of a death test must share the parent's working directory: fork, do not re-run.
class CrashHandlerDeathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "fast");
        dir.Write("data/debug.txt", "");
    }
    TempDir dir;
};

void CrashWithNullPointer()
{
    InstallCrashHandler();
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

void CrashWithAbort()
{
    InstallCrashHandler();
    std::abort();
}

TEST_F(CrashHandlerDeathTest, SegmentationFaultIsReportedAndStillKills)
{
    EXPECT_EXIT(CrashWithNullPointer(), ::testing::KilledBySignal(SIGSEGV), "Crash: signal 11 SIGSEGV");
    std::string report = dir.Read(CrashFileName());
    EXPECT_NE(report.find("Crash: signal 11 SIGSEGV (segmentation fault) at address 0x0\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Stack trace:\n"), std::string::npos);
    EXPECT_NE(report.find("test_crash"), std::string::npos) << "no frame of the program in\n" << report;
}

TEST_F(CrashHandlerDeathTest, ReportsAreAppended)
{
    EXPECT_EXIT(CrashWithAbort(), ::testing::KilledBySignal(SIGABRT), "SIGABRT");
    EXPECT_EXIT(CrashWithAbort(), ::testing::KilledBySignal(SIGABRT), "SIGABRT");
    std::string report = dir.Read(CrashFileName());
    size_t first = report.find("Crash: signal 6 SIGABRT (abort)\n");
    ASSERT_NE(first, std::string::npos) << report;
    EXPECT_NE(report.find("Crash: signal 6 SIGABRT", first + 1), std::string::npos);
}

TEST_F(CrashHandlerDeathTest, WithoutADataFolderTheReportStillReachesStderr)
{
    std::filesystem::remove_all(dir.Path() / "data");
    EXPECT_EXIT(CrashWithAbort(), ::testing::KilledBySignal(SIGABRT), "Stack trace:");
    EXPECT_FALSE(dir.Exists(CrashFileName()));
}

TEST(VersionProbeTest, ThePlatformOffersVersionSixServices)
{
    EXPECT_GE(GetDirectXVersion(), 0x0600);
}

}  // namespace
