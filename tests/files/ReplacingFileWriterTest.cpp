#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "files/File.h"
#include "files/FilesTestBase.h"
#include "files/ReplacingFileWriter.h"

namespace {

constexpr const char* kName = "data\\table.dat";

// A process killed half-way through writing the new file; its id.
pid_t KillDuringWrite()
{
    pid_t child = fork();
    if (child == 0) {
        ReplacingFileWriter(kName, "Test").Write([](File& file) {
            file.Write("ne", 2);
            std::fflush(file.Handle());
            raise(SIGKILL);
            return true;
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    return child;
}

using ReplacingFileWriterTest = FilesTestBase;

TEST_F(ReplacingFileWriterTest, AKilledWriteLeavesTheOldFileAndTheNextWriteRemovesItsLeftover)
{
    dir.Write("data/table.dat", "old");
    // Temporary files of a running process (the first one) and of other files are not touched.
    dir.Write("data/table.dat.1.tmp", "busy");
    dir.Write("data/other.dat.99999999.tmp", "");
    const std::string leftover = "data/table.dat." + std::to_string(KillDuringWrite()) + ".tmp";
    EXPECT_EQ(dir.Read("data/table.dat"), "old");
    EXPECT_EQ(dir.Read(leftover), "ne");

    EXPECT_TRUE(ReplacingFileWriter(kName, "Test").Write(std::string("new")));
    EXPECT_EQ(dir.Read("data/table.dat"), "new");
    EXPECT_FALSE(dir.Exists(leftover));
    EXPECT_TRUE(dir.Exists("data/table.dat.1.tmp"));
    EXPECT_TRUE(dir.Exists("data/other.dat.99999999.tmp"));
}

}  // namespace
