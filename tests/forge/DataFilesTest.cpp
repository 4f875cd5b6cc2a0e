#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iterator>
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

// The sample manager's block holds no values the forge writes; a stand-in takes its section.
struct EmptySection : Object {
    void Parameters(Serializer& serializer, const std::string& name) override
    {
        serializer.BeginSection("Sample Manager", name);
        serializer.EndSection();
    }
};

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

    std::map<std::string, std::string> classOf;
    std::vector<std::string> unknownClasses;

private:
    static bool NextBlock(File& file, bool& dynamic)
    {
        for (std::string line = ReadLine(file); !line.empty(); line = ReadLine(file)) {
            if (line.starts_with("OBJECT START") || line.starts_with("DYNAMIC OBJECT START")) {
                dynamic = line[0] == 'D';
                return true;
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

    EmptySection sampleManager;
    QMMainLevel level;
};

template <class T>
T* Element(const std::string& name)
{
    return dynamic_cast<T*>(Cast::Instance().Find(name));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

size_t WordCount(const std::string& line)
{
    std::istringstream words(line);
    return std::distance(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
}

TEST_F(DataFilesTest, ConfigurationSettingsAndTextsReadAsTheGameReadsThem)
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

    // Every object of the settings loads into a winnable game with one player.
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
        auto* dwarf = Element<DwarfModel>("DwarfModel_" + std::to_string(i));
        ASSERT_NE(dwarf, nullptr) << i;
        players += dwarf->GetName() == DwarfModel::kPlayerName ? 1 : 0;
        characters.insert(dwarf->GetName());
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(characters.size(), static_cast<size_t>(rivals + 1));
    // Round k adds KnightModel_(n + k - 2): from the second round up to the fourth counter value.
    for (int i = rivals; i <= 3; ++i) {
        ASSERT_NE(Element<KnightModel>("KnightModel_" + std::to_string(i)), nullptr) << i;
    }
    // Random items cover the seven kinds the level's roll draws (the bomb only comes from knights).
    std::set<std::string> kinds;
    for (const auto& [name, className] : load.classOf) {
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        auto* item = Element<BonusItem>(name);
        if (item && upper.find("DWARF") != std::string::npos && item->GetMultiplicity() > 0) {
            kinds.insert(className);
        }
    }
    EXPECT_EQ(kinds.size(), 7u);
    // Only the dwarfs' own voices loop.
    for (const SoundEventEntry& entry : kSoundEvents) {
        const std::string name(entry.event);
        const AudioEvent* event = SoundEngine::Instance().FindAudioEvent(name);
        ASSERT_NE(event, nullptr) << name;
        EXPECT_EQ(event->looping, name == "stars" || name == "snore1" || name == "snore2") << name;
        EXPECT_FALSE(event->is3d) << name;
        EXPECT_EQ(event->Group(), entry.group) << name;
        EXPECT_EQ(event->sampleName, "sample_" + std::string(entry.file)) << name;
        EXPECT_FLOAT_EQ(event->volume, entry.volume) << name;
    }

    // The text files are Windows-1252 without stray mark-up.
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
            EXPECT_TRUE(c == '\n' || c == ' ' || shown.find(static_cast<char>(c)) != std::string::npos) << int(c);
        }
    }
    // Round texts use no mark-up but line breaks and have no empty lines; credits use none.
    for (const char* path : {"data/level01/roundend.txt", "data/level01/levelend.txt", "data/shared/credits.txt"}) {
        const bool roundText = std::string(path).starts_with("data/level01");
        for (std::string line : Lines(dir.Read(path))) {
            EXPECT_TRUE(!roundText || !line.empty()) << path;
            for (size_t tag = line.find("<br>"); roundText && tag != std::string::npos; tag = line.find("<br>")) {
                line.erase(tag, 4);
            }
            EXPECT_EQ(line.find_first_of("<>&"), std::string::npos) << path << ": " << line;
        }
    }
    // Quit button comments are never taken for buttons.
    for (const std::string& line : Lines(dir.Read("data/shared/quitbuttons.txt"))) {
        EXPECT_NE(WordCount(line), 4u) << line;
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
            files[fs::relative(entry.path(), root).generic_string()] = forge_test::ReadBytes(entry.path());
        }
    }
    return files;
}

// The figures' labels the game asks for; the board's and the screens' are checked by their own tests.
std::vector<std::string> FigureLabels()
{
    std::vector<std::string> labels = {"shadow", "sternchen", "hitAnimation", "hofnarr_appear", "hofnarr_joke_S",
        "hofnarr_joke_E", "hofnarr_joke_W", "hofnarr_searching", "jaeger_kommen", "jaeger_drehen", "jaeger_anlegen",
        "jaeger_zielen", "jaeger_gehen", "jaeger_schuss_u_0", "jaeger_schuss_o_0", "bullet", "jaeger_tuer1",
        "jaeger_tuer2", "queen_chew", "queen_complain1", "queen_complain2", "queen_clap"};
    for (int shot = 1; shot <= 5; ++shot) {
        labels.push_back("jaeger_schuss_r_" + std::to_string(shot));
        labels.push_back("jaeger_schuss_l_" + std::to_string(shot));
    }
    const std::vector<std::string> dwarfStates = {"run", "schlaf", "stop", "start", "schlag", "getroffen",
                                                  "taumeln", "umfallen", "schach", "brett", "doppel", "idle"};
    const std::vector<std::string> knightStates = {"run", "stop", "start", "schlag", "umfallen"};
    const std::vector<std::pair<std::string, const std::vector<std::string>*>> figures = {
        {"fenno", &dwarfStates}, {"tabor", &dwarfStates}, {"quirn", &dwarfStates}, {"marlo", &dwarfStates},
        {"gandel", &dwarfStates}, {"ruvik", &dwarfStates}, {"holvo", &dwarfStates}, {"stumpf", &knightStates},
        {"scharf", &knightStates}};
    for (const auto& [name, states] : figures) {
        if (states == &dwarfStates) {
            labels.push_back(name + "_icon");
        }
        for (const std::string& state : *states) {
            for (const char* direction : {"N", "NE", "E", "SE", "S", "SW", "W", "NW"}) {
                labels.push_back(name + "_" + state + "_" + direction);
            }
        }
    }
    return labels;
}

// The names of the first word of the lines of a file that have the given number of words.
std::set<std::string> FirstWords(const std::string& text, size_t count)
{
    std::set<std::string> words;
    for (const std::string& line : Lines(text)) {
        if (WordCount(line) == count && line[0] != '#') {
            std::string first;
            std::istringstream(line) >> first;
            words.insert(first);
        }
    }
    return words;
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

    // Every event an animation fires is defined (the sound checks cover the events played by name).
    void ExpectEveryFiredEventDefined()
    {
        std::set<std::string> events;
        for (const char* list : {"data/shared/sfx.txt", "data/level01/sfx.txt", "data/level02/sfx.txt"}) {
            if (dir.Exists(list)) {
                events.merge(FirstWords(dir.Read(list), 2));
            }
        }
        for (const auto& file : fs::recursive_directory_iterator(dir.Path() / "data")) {
            const std::string name = file.path().filename().string();
            if (!name.ends_with("_audioevents.txt") && !name.ends_with("_ae.txt")) {
                continue;
            }
            for (const std::string& line : Lines(dir.Read(fs::relative(file.path(), dir.Path()).string()))) {
                std::istringstream words(line);
                std::string position, event;
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
            if (label != std::string::npos &&
                (line.compare(label, 13, "\"spriteName\"") == 0 || line.compare(label, 16, "\"animation Name\"") == 0)) {
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
    const auto firstFiles = FilesBelow(dir.Path() / "data");
    const auto secondFiles = FilesBelow(dir.Path() / "again" / "data");
    EXPECT_EQ(firstFiles.size(), secondFiles.size());
    for (const auto& [path, bytes] : firstFiles) {
        EXPECT_TRUE(secondFiles.contains(path) && secondFiles.at(path) == bytes) << path << " differs between two runs";
    }

    ExpectEveryFiredEventDefined();
    ASSERT_TRUE(SettingsManager::Instance().LoadSettings("data\\config.txt"));
    // The loading screen is in its own list.
    LoadList("data\\shared\\loadingSprites.txt", "data\\shared\\sprites\\");
    EXPECT_TRUE(Registered("loader_back"));
    EXPECT_TRUE(Registered("loader_fenno"));
    LoadList("data\\shared\\sprites.txt", "data\\shared\\sprites\\");
    LoadList("data\\level01\\sprites.txt", "data\\level01\\sprites\\");
    EXPECT_FALSE(Logged("Couldn't parse")) << Log();
    std::string missing;
    for (const std::string& label : FigureLabels()) {
        missing += Registered(label) ? "" : " " + label;
    }
    EXPECT_TRUE(missing.empty()) << "not registered:" << missing;
    ExpectEveryLabelBuilds();
    const std::vector<std::string> names = SettingsSpriteNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_TRUE(Registered(name)) << name << " of the settings is not in a sprite list";
    }
}

}  // namespace
