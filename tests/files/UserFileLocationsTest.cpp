#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ArchiveBytes.h"
#include "FilesTestBase.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "files/UserFileLocations.h"

namespace fs = std::filesystem;

namespace {

using Variables = std::map<std::string, std::string>;

UserFileLocations::Environment EnvironmentOf(Variables variables)
{
    return [variables = std::move(variables)](const char* name) -> const char* {
        auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

class UserFileLocationsTest : public FilesTestBase {
protected:
    void SetUp() override
    {
        FilesTestBase::SetUp();
        home = (dir.Path() / "home").string();
    }
    void TearDown() override
    {
        UserFileLocations::Replace(std::make_unique<UserFileLocations>(false, &std::getenv));
        FilesTestBase::TearDown();
    }
    UserFileLocations PerUser(Variables variables) const
    {
        variables.emplace("HOME", home);
        return UserFileLocations(true, EnvironmentOf(std::move(variables)));
    }
    // The program's own locations become per-user ones below the test's home.
    void UsePerUser() const
    {
        UserFileLocations::Replace(
            std::make_unique<UserFileLocations>(true, EnvironmentOf({{"HOME", home}})));
    }
    std::string ReadFile(const char* name) const
    {
        File file;
        if (!file.Open(name, "rb")) {
            return "<none>";
        }
        std::string text(static_cast<size_t>(file.Length()), '\0');
        file.Read(text.data(), static_cast<int>(text.size()));
        return text;
    }

    std::string home;
};

TEST_F(UserFileLocationsTest, EachWrittenFileGoesToTheUsersDirectoryOfItsKindUnlessTheProgramsOwnIsWritable)
{
    const UserFileLocations portable(false, EnvironmentOf({{"HOME", home}}));
    const UserFileLocations locations = PerUser({});
    const std::string state = home + "/.local/state/quillmark/";
    const std::string data = home + "/.local/share/quillmark/";
    const std::string cache = home + "/.cache/quillmark/";
    const std::map<std::string, std::string> expected = {
        {"data\\debug.txt", state + "debug.txt"},
        {"data/crash.txt", state + "crash.txt"},
        {"data\\highscores.dat", data + "highscores.dat"},
        {"data\\highscores.dat.bad", data + "highscores.dat.bad"},
        {"data\\editor-windows.ini", data + "editor-windows.ini"},
        {"data\\shared\\settings\\settings.txt", data + "shared/settings/settings.txt"},
        {"Data\\Shared\\Settings\\settings2004-10-19 20-48-28.txt", data + "Shared/Settings/settings2004-10-19 20-48-28.txt"},
        {"data\\Level01\\Sprites\\fenno_run_N.rle", cache + "Level01/Sprites/fenno_run_N.rle"},
        // The data themselves, and names outside data\, stay beside the program.
        {"data\\config.txt", "data\\config.txt"},
        {"data\\level01\\sprites\\fenno_run_N.bmp", "data\\level01\\sprites\\fenno_run_N.bmp"},
        {"datafile.dat", "datafile.dat"},
        {"logs\\debug.txt", "logs\\debug.txt"},
        {"data\\..\\escape.rle", "data\\..\\escape.rle"},
    };
    for (const auto& [name, path] : expected) {
        EXPECT_EQ(portable.WriteName(name), name);
        EXPECT_EQ(portable.ReadName(name), name);
    }
    EXPECT_FALSE(fs::exists(home));
    for (const auto& [name, path] : expected) {
        EXPECT_EQ(locations.WriteName(name), path) << name;
    }
    // Writing makes the directories, the user's alone; reading makes none.
    struct stat status {};
    ASSERT_EQ(stat((cache + "Level01/Sprites").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(PerUser({{"XDG_STATE_HOME", home + "/read"}}).ReadName("data\\debug.txt"), "data\\debug.txt");
    EXPECT_FALSE(fs::exists(home + "/read"));
}

TEST_F(UserFileLocationsTest, OnlyAbsoluteBaseDirectoriesCountAndHomeGivesTheDefaults)
{
    const std::string base = dir.Path().string();
    EXPECT_EQ(PerUser({{"XDG_STATE_HOME", base + "/state/"}, {"XDG_DATA_HOME", base + "/share"},
                       {"XDG_CACHE_HOME", base + "/cache"}})
                  .WriteName("data\\debug.txt"),
              base + "/state/quillmark/debug.txt");
    EXPECT_EQ(PerUser({{"XDG_DATA_HOME", base + "/share"}}).WriteName("data\\highscores.dat"),
              base + "/share/quillmark/highscores.dat");
    EXPECT_EQ(PerUser({{"XDG_CACHE_HOME", base + "/cache"}}).WriteName("data\\a.rle"), base + "/cache/quillmark/a.rle");
    // A relative value is invalid and ignored; so is an empty one.
    EXPECT_EQ(PerUser({{"XDG_DATA_HOME", "share"}}).WriteName("data\\highscores.dat"),
              home + "/.local/share/quillmark/highscores.dat");
    EXPECT_EQ(PerUser({{"XDG_CACHE_HOME", ""}}).WriteName("data\\a.rle"), home + "/.cache/quillmark/a.rle");
}

TEST_F(UserFileLocationsTest, ReadsTakeTheUsersCopyFirstThenTheArchivesOrTheOneBesideTheProgram)
{
    dir.Write("data/shared/settings/settings.txt", "installed");
    dir.Write("data/level01/sprites/a.rle", "installed cache");
    UsePerUser();
    EXPECT_EQ(ReadFile("data\\shared\\settings\\settings.txt"), "installed");
    EXPECT_EQ(ReadFile("data\\level01\\sprites\\a.rle"), "installed cache");
    EXPECT_EQ(ReadFile("data\\highscores.dat"), "<none>");

    ASSERT_TRUE(ReplacingFileWriter("data\\shared\\settings\\settings.txt", "Test").Write("saved"));
    ASSERT_TRUE(ReplacingFileWriter("data\\highscores.dat", "Test").Write("table"));
    EXPECT_EQ(ReadFile("data\\shared\\settings\\settings.txt"), "saved");
    EXPECT_EQ(ReadFile("data\\highscores.dat"), "table");
    EXPECT_EQ(dir.Read("data/shared/settings/settings.txt"), "installed");
    EXPECT_EQ(dir.Read("home/.local/share/quillmark/shared/settings/settings.txt"), "saved");
    // Nothing but the user's files was written, and no temporary file is left.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(dir.Path() / "home/.local/share/quillmark"),
                            fs::recursive_directory_iterator()),
              4);
    EXPECT_FALSE(dir.Exists("data/highscores.dat"));

    // A saved text wins over the archive's copy too.
    OpenArchive(archivebytes::Archive({{"data\\shared\\settings\\settings.txt", "packed"},
                                       {"data\\shared\\settings\\other.txt", "packed"}}));
    EXPECT_EQ(ReadFile("data\\shared\\settings\\settings.txt"), "saved");
    EXPECT_TRUE(ReadFile("data\\shared\\settings\\other.txt").starts_with("packed"));

    // The log follows the same way.
    Debug::Release();
    ASSERT_TRUE(Debug::Instance().CreateLogFile("data\\debug.txt"));
    Debug::Instance().Log("logged\n");
    EXPECT_NE(dir.Read("home/.local/state/quillmark/debug.txt").find("logged"), std::string::npos);
    EXPECT_FALSE(dir.Exists("data/debug.txt"));
}

TEST_F(UserFileLocationsTest, TheProgramWritesBesideItselfWhereItsDataDirectoryIsWritable)
{
    const std::string program = dir.Path().string() + "/";
    EXPECT_TRUE(UserFileLocations::WritesBesideProgram(program));
    fs::create_directories(dir.Path() / "Data");
    EXPECT_TRUE(UserFileLocations::WritesBesideProgram(program));
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not bind root";
    }
    fs::permissions(dir.Path() / "Data", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(UserFileLocations::WritesBesideProgram(program));
    fs::permissions(dir.Path() / "Data", fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir.Path() / "Data");
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(UserFileLocations::WritesBesideProgram(program));
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
