#include <ctime>
#include <filesystem>
#include <set>

#include "GameQuillmarkFixture.h"
#include "files/ReplacingFileWriter.h"
#include "editor/CObjectEditor.h"
#include "game/CharacterSets.h"
#include "game/ObjectSettingsFile.h"
#include "params/Cast.h"

namespace {

class SettingsFile : public GameQuillmarkFixture {
protected:
    void SetUp() override
    {
        GameQuillmarkFixture::SetUp();
        Cast::Instance().Register(&staticObject, "Static One", false);
    }

    TestElement* Element(const std::string& name) const
    {
        return dynamic_cast<TestElement*>(Cast::Instance().Find(name));
    }

    TestSettingsObject staticObject;
};

std::string Block(const std::string& start, const std::string& className, const std::string& label,
                  const std::string& name, const std::string& body)
{
    return "# ------------------------------------------------ " + name + "\n" + start + "\n" + "class type: \"class " +
           className + "\"\n[" + label + "] \"" + name + "\"\n{\n" + body + "}\n\n";
}

std::string Dynamic(const std::string& className, const std::string& name, const std::string& body)
{
    return Block("DYNAMIC OBJECT START", className, className, name, body);
}

std::string Static(const std::string& name, const std::string& body)
{
    return Block("OBJECT START", "TestSettingsObject", "TestSettings", name, body);
}

TEST_F(SettingsFile, DynamicBlocksCreateTheirElementsAndEveryBlockIsReadIntoItsMember)
{
    WriteSettings(Static("Static One", "    \"volume\" 42\n    \"pitch\" 0.500000\n") +
                  Dynamic("TestElement", "Knut", "    \"strength\" 7\n    \"speed\" 9\n"));
    game->LoadSettings("settings.txt");
    EXPECT_EQ(staticObject.volume, 42);
    EXPECT_EQ(staticObject.pitch, 0.5f);
    ASSERT_NE(Element("Knut"), nullptr);
    EXPECT_EQ(Element("Knut")->strength, 7);
    EXPECT_EQ(Element("Knut")->speed, 9);
    EXPECT_EQ(game->GetElements().size(), 1u);
    EXPECT_TRUE(Cast::Instance().Members().back().dynamic);
}

TEST_F(SettingsFile, ADynamicBlockOfAnUnknownClassIsSkippedAndTheRestIsRead)
{
    WriteSettings(Dynamic("NoSuchModel", "Ghost", "    \"strength\" 3\n") +
                  Dynamic("TestElement", "Knut", "    \"strength\" 7\n") + Static("Static One", "    \"volume\" 5\n"));
    game->LoadSettings("settings.txt");
    EXPECT_EQ(Cast::Instance().Find("Ghost"), nullptr);
    EXPECT_EQ(game->GetElements().size(), 1u);
    ASSERT_NE(Element("Knut"), nullptr);
    EXPECT_EQ(Element("Knut")->strength, 7);
    EXPECT_EQ(staticObject.volume, 5);
    EXPECT_TRUE(LogHas("GameQuillmark::LoadSettings: Unknown class <NoSuchModel> of <Ghost>, block skipped"));
    EXPECT_FALSE(LogHas("Factory: could not create")) << "no message box for a block of the file";
}

TEST_F(SettingsFile, TwoBlocksOfOneNameAreBothReadTheLaterWinning)
{
    WriteSettings(Static("Static One", "    \"volume\" 1\n    \"pitch\" 2.000000\n") +
                  Static("Static One", "    \"volume\" 3\n"));
    game->LoadSettings("settings.txt");
    EXPECT_EQ(staticObject.pitch, 2.0f) << "only the first block sets the pitch";
    EXPECT_EQ(staticObject.volume, 3);
}

TEST_F(SettingsFile, AMissingFileChangesNothingAndBlocksWithoutMemberOrClassAreSkipped)
{
    game->LoadSettings("absent.txt");
    EXPECT_EQ(staticObject.volume, 10);
    EXPECT_TRUE(LogHas("***ERROR: GameQuillmark::LoadSettings: Failed to open <absent.txt>!\n"));
    // Blocks without a member or without a class are skipped.
    WriteSettings(Static("Nobody", "    \"volume\" 99\n") + "DYNAMIC OBJECT START\nno class here\n" +
                  Static("Static One", "    \"volume\" 6\n"));
    game->LoadSettings("settings.txt");
    EXPECT_EQ(staticObject.volume, 6);
    EXPECT_TRUE(game->GetElements().empty());
}

TEST_F(SettingsFile, SavedSettingsLoadBackToTheSameValues)
{
    staticObject.volume = 77;
    staticObject.pitch = 1.25f;
    auto* element = static_cast<TestElement*>(game->CreateGameElement("TestElement", "Knut", false));
    ASSERT_NE(element, nullptr);
    element->strength = 11;
    element->speed = 12;
    std::filesystem::create_directories(dir->Path() / "data/shared/settings");
    game->SaveSettings("settings.txt");

    staticObject = TestSettingsObject();
    GameQuillmark fresh;
    Cast::Instance().Clear();
    Cast::Instance().Register(&staticObject, "Static One", false);
    fresh.LoadSettings("settings.txt");
    EXPECT_EQ(staticObject.volume, 77);
    EXPECT_EQ(staticObject.pitch, 1.25f);
    auto* loaded = Element("Knut");
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(loaded, element);
    EXPECT_EQ(loaded->strength, 11);
    EXPECT_EQ(loaded->speed, 12);
}

TEST_F(SettingsFile, EverySaveKeepsTheFileItReplacesAsADatedBackup)
{
    WriteSettings("old contents\n");
    game->SaveSettings("settings.txt");
    const std::string firstSave = dir->Read("data/shared/settings/settings.txt");
    EXPECT_NE(firstSave.find("OBJECT START\nclass type: \"class "), std::string::npos);
    // Most likely within the same second: the second backup must not replace the first.
    game->SaveSettings("settings.txt");
    std::multiset<std::string> backups;
    for (const auto& entry : std::filesystem::directory_iterator(dir->Path() / "data/shared/settings")) {
        std::string name = entry.path().filename().string();
        if (name != "settings.txt") {
            EXPECT_EQ(name.rfind("settings", 0), 0u) << name;
            backups.insert(dir->Read("data/shared/settings/" + name));
        }
    }
    EXPECT_EQ(backups, (std::multiset<std::string>{"old contents\n", firstSave}));
}

TEST_F(SettingsFile, SavingWritesEachMemberInItsPlaceAndKeepsOtherBlocksAsTheyStood)
{
    // A block of a class this build lacks, with a note, a Windows line end and a blank line.
    const std::string ghost = Dynamic("NoSuchModel", "Ghost", "    # tuned by hand\n\t\"strength\" 3\r\n") + "\n";
    WriteSettings(Static("Static One", "    \"volume\" 1\n") + ghost +
                  Dynamic("TestElement", "Knut", "    \"strength\" 7\n"));
    game->LoadSettings("settings.txt");
    staticObject.volume = 77;
    game->CreateGameElement("TestElement", "", false);
    game->SaveSettings("settings.txt");
    EXPECT_EQ(dir->Read("data/shared/settings/settings.txt"),
              Static("Static One", "    \"volume\" 77\n    \"pitch\" 1.000000\n") + ghost +
                  Dynamic("TestElement", "Knut", "    \"strength\" 7\n    \"speed\" 2\n") +
                  Dynamic("TestElement", "Game Elements|TestElement_1", "    \"strength\" 1\n    \"speed\" 2\n"));
}

TEST_F(SettingsFile, ABlockCutShortIsSkippedAndLoggedAndTheNextBlockIsRead)
{
    std::string cutShort = Static("Static One", "    \"volume\" 5\n");
    cutShort.resize(cutShort.size() - std::string("}\n\n").size());
    WriteSettings(cutShort + Dynamic("TestElement", "Knut", "    \"strength\" 7\n"));
    game->LoadSettings("settings.txt");
    EXPECT_EQ(staticObject.volume, 10);
    ASSERT_NE(Element("Knut"), nullptr);
    EXPECT_EQ(Element("Knut")->strength, 7);
    EXPECT_TRUE(LogHas("GameQuillmark::LoadSettings: Block <Static One> in line 2 is cut short, skipped\n"));
}

TEST_F(SettingsFile, ABackupIsNamedAfterTheLocalTime)
{
    std::tm time{};
    time.tm_year = 104;
    time.tm_mon = 9;
    time.tm_mday = 19;
    time.tm_hour = 20;
    time.tm_min = 48;
    time.tm_sec = 28;
    EXPECT_EQ(ObjectSettingsFile::BackupName(time), "settings2004-10-19 20-48-28.txt");
    EXPECT_EQ(ObjectSettingsFile::BackupName(time, 2), "settings2004-10-19 20-48-28 (2).txt");
}

TEST_F(SettingsFile, ASaveThatCannotOpenItsFileKeepsTheOldOne)
{
    WriteSettings("old contents\n");
    std::filesystem::create_directory(dir->Path() /
                                      ReplacingFileWriter::TemporaryName("data/shared/settings/settings.txt"));
    game->SaveSettings("settings.txt");
    EXPECT_EQ(dir->Read("data/shared/settings/settings.txt"), "old contents\n");
    EXPECT_TRUE(LogHas("GameQuillmark::SaveSettings: Failed to open"));
}

TEST_F(SettingsFile, ElementsGetGeneratedNamesUnlessNamedOrUnlisted)
{
    EXPECT_EQ(game->CreateGameElement("NoSuchModel", "", false), nullptr);
    GameElement* first = game->CreateGameElement("TestElement", "", false);
    game->DebugCommand("create game element TestElement", 0, 0);
    GameElement* unlisted = game->CreateGameElement("TestElement", "Hidden", true);
    EXPECT_EQ(Cast::Instance().Find("Game Elements|TestElement_1"), first);
    EXPECT_NE(Cast::Instance().Find("Game Elements|TestElement_2"), nullptr);
    EXPECT_EQ(Cast::Instance().Find("Hidden"), nullptr);
    EXPECT_EQ(Cast::Instance().NameOf(unlisted), "");
    EXPECT_EQ(game->GetElements().size(), 3u);
}

TEST_F(SettingsFile, EditorCommandsRenameAndDeleteOnlyGameElementsAndTheSaveFollows)
{
    WriteSettings(Static("Static One", "    \"volume\" 1\n") + Dynamic("TestElement", "Folder|Knut", "    \"strength\" 7\n") +
                  Dynamic("TestElement", "Folder|Sub|Olaf", "    \"strength\" 8\n") +
                  Dynamic("TestElement", "Gone", "    \"strength\" 9\n"));
    game->LoadSettings("settings.txt");
    game->DebugCommand("delete object Static One", 0, 0);
    game->DebugCommand("rename object Static One\tOther", 0, 0);
    EXPECT_EQ(Cast::Instance().Find("Static One"), &staticObject);
    EXPECT_TRUE(LogHas("only game elements!"));

    game->DebugCommand("delete object Gone", 0, 0);
    game->DebugCommand("rename folder Folder\tTeam", 0, 0);
    game->DebugCommand("rename object Team|Knut\tTeam|Sub|Olaf", 0, 0);
    EXPECT_EQ(Cast::Instance().Find("Gone"), nullptr);
    ASSERT_NE(Element("Team|Knut"), nullptr) << "a name taken by another member is refused";
    ASSERT_NE(Element("Team|Sub|Olaf"), nullptr);
    EXPECT_EQ(game->GetElements().size(), 3u) << "a deleted element lives on until the game ends";
    game->DebugCommand("show objectsettings", 0, 0);
    ASSERT_NE(game->GetEditor(), nullptr);
    EXPECT_TRUE(game->GetEditor()->IsBrowserVisible());
    game->DebugCommand("select gameelement Team|Knut", 0, 0);
    EXPECT_EQ(game->GetEditor()->Selected(), "Team|Knut");

    // The save leaves out the blocks under the old names: a restart would create them again.
    game->SaveSettings("settings.txt");
    const std::string saved = dir->Read("data/shared/settings/settings.txt");
    EXPECT_EQ(saved, Static("Static One", "    \"volume\" 1\n    \"pitch\" 1.000000\n") +
                         Dynamic("TestElement", "Team|Knut", "    \"strength\" 7\n    \"speed\" 2\n") +
                         Dynamic("TestElement", "Team|Sub|Olaf", "    \"strength\" 8\n    \"speed\" 2\n"));
}

TEST(CharacterSets, EveryFontCellHasOneCharacter)
{
    const std::string& text = CharacterSets::Text();
    ASSERT_EQ(text.size(), 212u);
    EXPECT_EQ(text.substr(0, 12), "!\"#$%&'()+*,");
    EXPECT_EQ(text[94], '\xA1');
    EXPECT_EQ(text[95], '}');
    EXPECT_EQ(text.substr(text.size() - 16, 4), "?}?}");
    EXPECT_EQ(CharacterSets::Digits(), "0123456789:\"'.-");
}

}  // namespace
