#include <gtest/gtest.h>

#include "app/Debug.h"
#include "platform/PlatformResult.h"
#include "support/TempDir.h"

namespace {

class DebugTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("data/.keep", "");
        Debug::Release();
        ASSERT_TRUE(Log().CreateLogFile("data\\debug.txt"));
    }
    void TearDown() override { Debug::Release(); }
    std::string Logged() const { return dir.Read("data/debug.txt"); }

    Debug& Log() { return Debug::Instance(); }

    TempDir dir;
};

TEST_F(DebugTest, StrengthsWriteTheirPrefixesAndCountUntilANewLogStartsEmpty)
{
    Log().Log("plain %d\n", 1);
    Log().Warning("x\n");
    Log().Error("broken <%s>\n", "a.bmp");
    Log().Log("%s", "");
    Log().Warning("no line end");
    Log().Log("next\n");
    EXPECT_EQ(Logged(), "plain 1\n***WARNING: x\n***ERROR: broken <a.bmp>\n\n***WARNING: no line end\nnext\n");
    EXPECT_EQ(Log().WarningCount(), 2);
    EXPECT_EQ(Log().ErrorCount(), 1);
    Log().Log("%s\n", "100% sure");
    EXPECT_NE(Logged().find("\n100% sure\n"), std::string::npos) << "percent signs in texts arrive unchanged";

    ASSERT_TRUE(Log().CreateLogFile("data\\debug.txt"));
    Log().Log("new\n");
    EXPECT_EQ(Logged(), "new\n");
    EXPECT_EQ(Log().WarningCount(), 0);
    EXPECT_EQ(Log().ErrorCount(), 0);
}

TEST_F(DebugTest, TheMessagesWindowGetsEachLineOnceAndOnlyTheLastOnesAreKept)
{
    uint64_t next = 0;
    Log().LinesSince(next, next);
    Log().Log("one\n");
    Log().Warning("two\n");
    EXPECT_EQ(Log().LinesSince(next, next), (std::vector<std::string>{"one\n", "***WARNING: two\n"}));
    EXPECT_TRUE(Log().LinesSince(next, next).empty());
    for (size_t i = 0; i < Debug::kKeptLines + 5; ++i) {
        Log().Log("%zu\n", i);
    }
    std::vector<std::string> kept = Log().LinesSince(0, next);
    ASSERT_EQ(kept.size(), Debug::kKeptLines);
    EXPECT_EQ(kept.back(), std::to_string(Debug::kKeptLines + 4) + "\n");
}

TEST_F(DebugTest, WithoutALogProblemsReachStderrAtOnceAndEveryLineFollowsIntoTheLog)
{
    Debug::Release();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Debug::Instance().CreateLogFile("missing/dir/debug.txt"));
    Debug::Instance().Log("early\n");
    Debug::Instance().Error("no config <%s>", "data\\config.txt");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: Debug::CreateLogFile: Failed to create the log file!\n"
              "***ERROR: no config <data\\config.txt>\n")
        << "problems reach stderr at once, plain lines only the log";
    ASSERT_TRUE(Log().CreateLogFile("data\\debug.txt"));
    Log().Log("header\n");
    Log().WriteHeldLines();
    Log().WriteHeldLines();
    EXPECT_EQ(Logged(),
              "header\nLogged before the log file was opened:\nearly\n***ERROR: no config <data\\config.txt>\n\n");
}

TEST_F(DebugTest, PlatformResultsAreNamedAndAFatalLineIsShownAndWrittenWithItsLineEnd)
{
    EXPECT_FALSE(Log().CheckDirectXResult(platform::kResultOk, "Display", 1));
    EXPECT_EQ(Logged(), "");
    EXPECT_TRUE(Log().CheckDirectXResult(platform::kResultSurfaceLost, ".\\DO3Framework\\DirectDraw", 42));
    EXPECT_TRUE(Log().CheckDirectXResult(0x1234, "Display", 7));
    testing::internal::CaptureStderr();
    Log().Fatal("cannot go on <%s>", "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: cannot go on <x>\n");
    EXPECT_EQ(Logged(),
              "***ERROR: DirectX Error (80a10006) in file .\\DO3Framework\\DirectDraw in line 42: "
              "\"PLATFORM_SURFACE_LOST\"\n"
              "***ERROR: DirectX Error (1234) in file Display in line 7: \"Unknown error (1234)\"\n"
              "cannot go on <x>\n");
}

}  // namespace
