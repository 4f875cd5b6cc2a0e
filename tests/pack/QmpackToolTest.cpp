#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "ArchiveWriter.h"
#include "support/TempDir.h"

namespace {

int RunQmpack(const std::string& arguments)
{
    std::string command = std::string(QMPACK_PATH) + " " + arguments + " >qmpack.out 2>qmpack.err";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(QmpackToolTest, PacksADirectoryLikeTheWriterLeavingOutWhatTheGameWrites)
{
    TempDir dir;
    dir.Write("in/Data/Config.txt", "fullScreen 0\n");
    dir.Write("in/Data/Fonts/Small.bmp", "BM");
    const std::string gameData = ArchiveWriter().Build("in");
    dir.Write("in/Data/Highscores.dat", "table");
    dir.Write("in/Data/debug.txt", "log");
    dir.Write("in/Data/Editor-Windows.ini", "[Window][Objects]");
    dir.Write("in/Data/level01/sprites/walk.rle.77.tmp", "half");
    EXPECT_EQ(RunQmpack("in datafile.dat"), 0);
    EXPECT_EQ(dir.Read("datafile.dat"), gameData);
    EXPECT_EQ(dir.Read("qmpack.out"), "qmpack: left out data\\debug.txt: the game writes it\n"
                                      "qmpack: left out data\\editor-windows.ini: the game writes it\n"
                                      "qmpack: left out data\\highscores.dat: the game writes it\n"
                                      "qmpack: left out data\\level01\\sprites\\walk.rle.77.tmp: the game writes it\n");
    EXPECT_EQ(dir.Read("qmpack.err"), "");
}

TEST(QmpackToolTest, FailuresExitWithAMessage)
{
    TempDir dir;
    EXPECT_EQ(RunQmpack(""), 2);
    EXPECT_NE(dir.Read("qmpack.err").find("usage: qmpack DIR ARCHIVE"), std::string::npos);

    EXPECT_EQ(RunQmpack("missing datafile.dat"), 1);
    EXPECT_NE(dir.Read("qmpack.err").find("qmpack: cannot read the directory missing"), std::string::npos);

    dir.Write("in/" + std::string(70, 'x') + ".bin", "");
    EXPECT_EQ(RunQmpack("in datafile.dat"), 1);
    EXPECT_NE(dir.Read("qmpack.err").find("longer than 63 bytes"), std::string::npos);
    EXPECT_FALSE(dir.Exists("datafile.dat"));
}
