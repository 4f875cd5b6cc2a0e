#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/SoundEngine.h"
#include "game/figures/DwarfModel.h"
#include "game/figures/KnightModel.h"
#include "game/items/BonusItem.h"
#include "game/level/QMMainLevel.h"
#include "core/ForgeOutput.h"
#include "data/ForgeAll.h"
#include "data/ForgeData.h"
#include "data/SoundEventTable.h"
#include "files/File.h"
#include "fonts/FontCharacterSets.h"
#include "params/AsciiSerializer.h"
#include "params/Cast.h"
#include "params/Object.h"
#include "params/Serializer.h"
#include "sheets/ContactSheet.h"
#include "forge/ForgeTestSupport.h"
#include "spritemanager/SpriteTestSupport.h"
#include "sprites/Sprite.h"
#include "util/Factory.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kDwarfNames = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
const std::vector<std::string> kKnightNames = {"stumpf", "scharf"};

// The sample manager's block holds no values the forge writes; a stand-in takes its section.
class EmptySection : public Object {
public:
    explicit EmptySection(std::string sectionLabel) : section(std::move(sectionLabel)) {}

    void Parameters(Serializer& serializer, const std::string& name) override
    {
        serializer.BeginSection(section, name);
        serializer.EndSection();
    }

private:
    std::string section;
};

// The kinds the level's item roll draws; the bomb only comes from the knights.
const std::vector<std::string> kItemClasses = {"BoardItem",  "DizzyItem",      "PointsItem",    "SkateItem",
                                               "SleepyItem", "SpeedBonusItem", "SpeedMalusItem"};

std::string FirstQuoted(const std::string& text)
{
    size_t open = text.find('"');
    size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

std::string ReadLine(File& file)
{
    char buffer[1000] = {};
    return file.ReadLine(buffer, 999) ? std::string(buffer) : std::string();
}

// The settings file read as the game reads it: a creation pass making the file's objects by
// class name, then a reading pass giving every block to the Cast member of its name.
class SettingsLoad {
public:
    bool Run(const std::string& path)
    {
        File file;
        if (!file.Open(path.c_str(), "rb")) {
            return false;
        }
        bool dynamic = false;
        while (NextBlock(file, dynamic)) {
            const auto [className, name] = BlockHeader(file);
            if (dynamic) {
                Create(className, name);
            }
        }
        file.Seek(0, SEEK_SET);
        while (NextBlock(file, dynamic)) {
            const std::string name = BlockHeader(file).second;
            if (Object* object = Cast::Instance().Find(name)) {
                AsciiSerializer reader(file, false);
                reader.SubObject(name, object);
            }
        }
        return true;
    }

    template <class T>
    T* FindGameElement(const std::string& name) const
    {
        return dynamic_cast<T*>(Cast::Instance().Find(name));
    }

    std::map<std::string, std::string> classOf;
    std::vector<std::string> unknownClasses;

private:
    static bool NextBlock(File& file, bool& dynamic)
    {
        while (!file.Eof()) {
            const std::string line = ReadLine(file);
            if (line.compare(0, 12, "OBJECT START") == 0 || line.compare(0, 20, "DYNAMIC OBJECT START") == 0) {
                dynamic = line[0] == 'D';
                return true;
            }
            if (line.empty()) {
                return false;
            }
        }
        return false;
    }

    // Class text and object name of the block at the file position, which is kept.
    static std::pair<std::string, std::string> BlockHeader(File& file)
    {
        const int position = file.Tell();
        const std::string classLine = ReadLine(file);
        const std::string sectionLine = ReadLine(file);
        file.Seek(position, SEEK_SET);
        return {FirstQuoted(classLine), FirstQuoted(sectionLine)};
    }

    void Create(const std::string& classText, const std::string& name)
    {
        const std::string className = classText.rfind("class ", 0) == 0 ? classText.substr(6) : std::string();
        classOf[name] = className;
        if (!Factory<GameElement>::Knows(className)) {
            unknownClasses.push_back(classText);
            return;
        }
        elements.push_back(Factory<GameElement>::Create(className));
        Cast::Instance().Register(elements.back().get(), name, true);
    }

    std::vector<std::unique_ptr<GameElement>> elements;
};

// ---- The data files alone ----

class DataFilesTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        Cast::Release();
        SoundEngine::Release();
        ForgeOutput output(dir.Path());
        ForgeData(output);
        ASSERT_FALSE(output.Failed());
    }

    void TearDown() override
    {
        Cast::Release();
        SoundEngine::Release();
        GraphicsTest::TearDown();
    }

    // The settings file with the program's own objects registered first, as the game does.
    void LoadSettings(SettingsLoad& load)
    {
        for (const SoundEventEntry& entry : kSoundEvents) {
            AudioEvent event;
            event.sampleName = "sample_" + std::string(entry.file);
            SoundEngine::Instance().AddAudioEvent(std::string(entry.event), event);
        }
        Cast::Instance().Register(&SoundEngine::Instance(), "Sound Engine", false);
        Cast::Instance().Register(&sampleManager, "Sample Manager", false);
        Cast::Instance().Register(&level, "Level01Settings", false);
        ASSERT_TRUE(load.Run("data\\shared\\settings\\settings.txt"));
    }

    EmptySection sampleManager{"Sample Manager"};
    QMMainLevel level;
};

TEST_F(DataFilesTest, ConfigurationHoldsEveryStartKey)
{
    SettingsManager& settings = SettingsManager::Instance();
    ASSERT_TRUE(settings.LoadSettings("data\\config.txt"));
    EXPECT_EQ(settings.GetInt("screenwidth"), 800);
    EXPECT_EQ(settings.GetInt("screenheight"), 600);
    EXPECT_EQ(settings.GetInt("screendepth"), 16);
    EXPECT_FALSE(settings.GetBool("fullscreen"));
    EXPECT_EQ(settings.GetString("startGameState"), "GameQuillmark");
    EXPECT_EQ(settings.GetInt("activeLevel"), 0);
    EXPECT_TRUE(settings.GetBool("preloadData"));
    EXPECT_TRUE(settings.GetBool("generateRleFiles"));
    EXPECT_FALSE(Logged("arning")) << Log();
}

TEST_F(DataFilesTest, SettingsLoadEveryObjectIntoAWinnableGameWithOnePlayer)
{
    SettingsLoad load;
    LoadSettings(load);
    EXPECT_TRUE(load.unknownClasses.empty()) << load.unknownClasses.front();
    // Every label the objects ask for is in the file, and every value reads as its kind.
    EXPECT_FALSE(Logged("AsciiDialogSerializer")) << Log();
    EXPECT_FALSE(Logged("AsciiSerializer")) << Log();
    for (const char* name : {"Jester", "Hunter", "Queen", "BombItem_Dwarf", "Geweih"}) {
        EXPECT_NE(Cast::Instance().Find(name), nullptr) << name;
    }
    const int rivals = level.GetDwarfCount();
    ASSERT_GE(rivals, 1);
    ASSERT_LE(rivals, 4);
    EXPECT_GT(level.GetItemProbability(), 0.0f);
    EXPECT_GT(level.GetRoundLength(), 0.0f);

    int players = 0;
    std::set<std::string> characters;
    for (int i = 1; i <= rivals + 1; ++i) {
        auto* dwarf = load.FindGameElement<DwarfModel>("DwarfModel_" + std::to_string(i));
        ASSERT_NE(dwarf, nullptr) << i;
        players += dwarf->GetName() == DwarfModel::kPlayerName ? 1 : 0;
        characters.insert(dwarf->GetName());
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(characters.size(), static_cast<size_t>(rivals + 1));
    // Round k adds KnightModel_(n + k - 2): from the second round up to the fourth counter value.
    for (int i = rivals; i <= 3; ++i) {
        ASSERT_NE(load.FindGameElement<KnightModel>("KnightModel_" + std::to_string(i)), nullptr) << i;
    }

    // Random items cover every kind.
    std::set<std::string> kinds;
    for (const auto& [name, className] : load.classOf) {
        std::string upper = name;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        auto* item = load.FindGameElement<BonusItem>(name);
        if (item && upper.find("DWARF") != std::string::npos && item->GetMultiplicity() > 0) {
            kinds.insert(className);
        }
    }
    EXPECT_EQ(kinds.size(), kItemClasses.size());
}

TEST_F(DataFilesTest, SoundEngineBlockLoopsOnlyTheDwarfsOwnVoices)
{
    SettingsLoad load;
    LoadSettings(load);
    for (const SoundEventEntry& entry : kSoundEvents) {
        const std::string name(entry.event);
        const AudioEvent* event = SoundEngine::Instance().FindAudioEvent(name);
        ASSERT_NE(event, nullptr) << name;
        const bool ownVoice = name == "stars" || name == "snore1" || name == "snore2";
        EXPECT_EQ(event->looping, ownVoice) << name;
        EXPECT_FALSE(event->is3d) << name;
        EXPECT_EQ(event->Group(), entry.group) << name;
        EXPECT_EQ(event->sampleName, "sample_" + std::string(entry.file)) << name;
        EXPECT_FLOAT_EQ(event->volume, entry.volume) << name;
    }
}

// ---- Text files ----

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(DataFilesTest, TextFilesAreWindows1252WithShowableCharactersAndNoStrayMarkup)
{
    const std::string& shown = font_sets::Text();
    for (const char* path : {"data/config.txt", "data/level01/roundend.txt", "data/level01/levelend.txt",
                             "data/shared/credits.txt", "data/shared/quitbuttons.txt",
                             "data/shared/settings/settings.txt"}) {
        SCOPED_TRACE(path);
        const std::string text = dir.Read(path);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        EXPECT_EQ(text.find('\r'), std::string::npos);
        // No byte-order mark and no UTF-8 sequences: every byte is a character of the fonts.
        for (unsigned char c : text) {
            EXPECT_TRUE(c == '\n' || c == ' ' || shown.find(static_cast<char>(c)) != std::string::npos)
                << "byte " << int(c);
        }
    }
    // Round texts use no mark-up but line breaks and have no empty lines.
    for (const char* path : {"data/level01/roundend.txt", "data/level01/levelend.txt"}) {
        SCOPED_TRACE(path);
        const std::vector<std::string> lines = Lines(dir.Read(path));
        ASSERT_FALSE(lines.empty());
        for (const std::string& line : lines) {
            EXPECT_FALSE(line.empty());
            std::string rest = line;
            for (size_t tag = rest.find("<br>"); tag != std::string::npos; tag = rest.find("<br>")) {
                rest.erase(tag, 4);
            }
            EXPECT_EQ(rest.find_first_of("<>&"), std::string::npos) << line;
        }
    }
    for (const std::string& line : Lines(dir.Read("data/shared/credits.txt"))) {
        EXPECT_EQ(line.find_first_of("<>&"), std::string::npos) << line;
    }
    // Quit button comments are never taken for buttons.
    for (const std::string& line : Lines(dir.Read("data/shared/quitbuttons.txt"))) {
        std::istringstream words(line);
        int count = 0;
        for (std::string word; words >> word;) {
            ++count;
        }
        EXPECT_NE(count, 4) << line;
    }
}

// ---- Review sheets ----

TEST(ContactSheetTest, FramesStandInRowsAndOversizedOnesAreReduced)
{
    const Rgba red{250, 10, 10, 255};
    const Rgba green{10, 250, 10, 255};
    std::vector<std::pair<std::string, Canvas>> frames = {{"small", Canvas(10, 10, red)},
                                                          {"wide", Canvas(2048, 100, green)}};
    const Canvas sheet = ContactSheet::Compose(frames);
    EXPECT_LE(sheet.Width(), ContactSheet::kSheetWidth);
    // The first frame at the margin; the wide one, halved, on the next row.
    EXPECT_EQ(sheet.At(8, 8).r, red.r);
    EXPECT_EQ(sheet.At(17, 17).r, red.r);
    int greenColumns = 0;
    for (int x = 0; x < sheet.Width(); ++x) {
        bool found = false;
        for (int y = 0; y < sheet.Height() && !found; ++y) {
            found = sheet.At(x, y).g == green.g && sheet.At(x, y).r == green.r;
        }
        greenColumns += found ? 1 : 0;
    }
    EXPECT_EQ(greenColumns, 1024);
}

// ---- The whole forge ----

std::map<std::string, std::string> FilesBelow(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[fs::relative(entry.path(), root).generic_string()] = bytes.str();
        }
    }
    return files;
}

// Every fixed label the game asks for, by the part of the forge that paints it.
struct LabelSection {
    std::string name;
    std::vector<std::string> labels;
};

std::vector<std::string> FigureLabels(const std::vector<std::string>& names, const std::vector<std::string>& states)
{
    std::vector<std::string> labels;
    for (const std::string& name : names) {
        for (const std::string& state : states) {
            for (const char* direction : {"N", "NE", "E", "SE", "S", "SW", "W", "NW"}) {
                labels.push_back(name + "_" + state + "_" + direction);
            }
        }
    }
    return labels;
}

std::vector<LabelSection> CatalogueSections()
{
    std::vector<std::string> icons;
    for (const std::string& name : kDwarfNames) {
        icons.push_back(name + "_icon");
    }
    return {
        {"loading screen", {"loader_back", "loader_fenno"}},
        {"cursor", {"cursor"}},
        {"menu backgrounds", {"MainMenuBackground", "HelpMenuBackground", "HighscoreBackground", "ExitScreen"}},
        {"buttons",
         {"StartGameButton", "HelpButton", "HighscoreButton", "QuitButton", "MainMenuButton", "yesButton",
          "noButton"}},
        {"board",
         {"background", "mask_tree", "mask_well", "mask_wood", "mask_barrel", "mask_tabletop", "mask_fence",
          "mask_shrub_front_01", "mask_shrub_front_02", "mask_shrub_front_03", "mask_hay", "GameOverScreen"}},
        {"board animations", {"anim_chimmney", "anim_water", "anim_forest"}},
        {"figure effects", {"shadow", "sternchen", "hitAnimation"}},
        {"dwarf icons", icons},
        {"dwarfs", FigureLabels(kDwarfNames, {"run", "schlaf", "stop", "start", "schlag", "getroffen", "taumeln",
                                              "umfallen", "schach", "brett", "doppel", "idle"})},
        {"knights", FigureLabels(kKnightNames, {"run", "stop", "start", "schlag", "umfallen"})},
        {"items", {"item_pilze_02", "dizzy_item", "skate_item"}},
        {"jester", {"hofnarr_appear", "hofnarr_joke_S", "hofnarr_joke_E", "hofnarr_joke_W", "hofnarr_searching"}},
        {"hunter",
         {"jaeger_kommen", "jaeger_drehen", "jaeger_anlegen", "jaeger_zielen", "jaeger_gehen", "jaeger_schuss_r_1",
          "jaeger_schuss_r_2", "jaeger_schuss_r_3", "jaeger_schuss_r_4", "jaeger_schuss_r_5", "jaeger_schuss_u_0",
          "jaeger_schuss_l_1", "jaeger_schuss_l_2", "jaeger_schuss_l_3", "jaeger_schuss_l_4", "jaeger_schuss_l_5",
          "jaeger_schuss_o_0", "bullet", "jaeger_tuer1", "jaeger_tuer2"}},
        {"queen", {"queen_chew", "queen_complain1", "queen_complain2", "queen_clap"}},
    };
}

// The whole forge is slow (every picture and sound), so one test runs it twice and checks
// everything that needs its output.
class FullForgeTest : public GraphicsTest {
protected:
    static bool Registered(const std::string& label) { return Sprites().FindSpriteInfo(label) != nullptr; }

    static void LoadList(const std::string& list, const std::string& directory)
    {
        SpriteLoaderUtil::Instance().Load(list, directory, 0.0f, 0.0f, false);
    }

    void ExpectSameBytes(const fs::path& first, const fs::path& second)
    {
        const auto a = FilesBelow(first);
        const auto b = FilesBelow(second);
        EXPECT_EQ(a.size(), b.size());
        for (const auto& [path, bytes] : a) {
            auto other = b.find(path);
            ASSERT_NE(other, b.end()) << path;
            EXPECT_TRUE(other->second == bytes) << path << " differs between two runs";
        }
    }

    void ExpectLoadingScreenInItsOwnList()
    {
        LoadList("data\\shared\\loadingSprites.txt", "data\\shared\\sprites\\");
        EXPECT_TRUE(Registered("loader_back"));
        EXPECT_TRUE(Registered("loader_fenno"));
    }

    void ExpectEveryLabelRegistered()
    {
        for (const LabelSection& section : CatalogueSections()) {
            std::string missing;
            for (const std::string& label : section.labels) {
                if (!Registered(label)) {
                    missing += " " + label;
                }
            }
            EXPECT_TRUE(missing.empty()) << section.name << " lacks" << missing;
        }
    }

    // Every listed label builds into a sprite with its frames through the engine, without a
    // warning or an error.
    void ExpectEveryLabelBuilds()
    {
        for (const char* list : {"data/shared/loadingsprites.txt", "data/shared/sprites.txt", "data/level01/sprites.txt"}) {
            for (const auto& [label, entry] : forge_test::ReadList(dir.Path() / list)) {
                Sprite* sprite = Sprites().GetSprite(label);
                ASSERT_NE(sprite, nullptr) << list << ": " << label;
                EXPECT_EQ(sprite->GetFrameCount(), entry.frames) << label;
                EXPECT_TRUE(Sprites().ReleaseSprite(label)) << label << " was never built";
            }
        }
        EXPECT_FALSE(Logged("***WARNING")) << Log();
        EXPECT_FALSE(Logged("***ERROR")) << Log();
    }

    // Event names the sound lists define: lines of exactly two words that are not comments.
    std::set<std::string> DefinedEvents() const
    {
        std::set<std::string> events;
        for (const char* list : {"data/shared/sfx.txt", "data/level01/sfx.txt", "data/level02/sfx.txt"}) {
            if (!dir.Exists(list)) {
                continue;
            }
            for (const std::string& line : Lines(dir.Read(list))) {
                std::istringstream words(line);
                std::vector<std::string> tokens;
                for (std::string word; words >> word;) {
                    tokens.push_back(word);
                }
                if (tokens.size() == 2 && line[0] != '#') {
                    events.insert(tokens[0]);
                }
            }
        }
        return events;
    }

    // Every event an animation fires is defined (the sound checks cover the events played by name).
    void ExpectEveryFiredEventDefined()
    {
        const std::set<std::string> events = DefinedEvents();
        for (const auto& file : fs::recursive_directory_iterator(dir.Path() / "data")) {
            const std::string name = file.path().filename().string();
            const bool map = name.ends_with("_audioevents.txt") || name.ends_with("_ae.txt");
            if (!map) {
                continue;
            }
            for (const std::string& line : Lines(dir.Read(fs::relative(file.path(), dir.Path()).string()))) {
                std::istringstream words(line);
                std::string position;
                std::string event;
                if (words >> position >> event) {
                    EXPECT_EQ(events.count(event), 1u) << event << " fired by " << name << " is in no sound list";
                }
            }
        }
    }

    // The names the settings file gives its items.
    std::vector<std::string> SettingsSpriteNames() const
    {
        std::vector<std::string> names;
        for (const std::string& line : Lines(dir.Read("data/shared/settings/settings.txt"))) {
            const size_t label = line.find_first_not_of(' ');
            if (label == std::string::npos) {
                continue;
            }
            if (line.compare(label, 13, "\"spriteName\"") == 0 || line.compare(label, 16, "\"animation Name\"") == 0) {
                names.push_back(FirstQuoted(line.substr(line.find('"', label + 1) + 1)));
            }
        }
        return names;
    }
};

TEST_F(FullForgeTest, RepeatableAndEveryLabelRegistered)
{
    ForgeOutput first(dir.Path());
    ASSERT_TRUE(ForgeAll(first));
    ForgeOutput second(dir.Path() / "again");
    ASSERT_TRUE(ForgeAll(second));
    ExpectSameBytes(dir.Path() / "data", dir.Path() / "again" / "data");

    ExpectEveryFiredEventDefined();
    ASSERT_TRUE(SettingsManager::Instance().LoadSettings("data\\config.txt"));
    ExpectLoadingScreenInItsOwnList();
    LoadList("data\\shared\\sprites.txt", "data\\shared\\sprites\\");
    LoadList("data\\level01\\sprites.txt", "data\\level01\\sprites\\");
    EXPECT_FALSE(Logged("Couldn't parse")) << Log();
    ExpectEveryLabelRegistered();
    ExpectEveryLabelBuilds();
    const std::vector<std::string> names = SettingsSpriteNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_TRUE(Registered(name)) << name << " of the settings is not in a sprite list";
    }
}

}  // namespace
