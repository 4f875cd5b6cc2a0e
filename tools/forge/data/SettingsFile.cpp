#include "data/SettingsFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "data/SettingsWriter.h"
#include "data/SoundEventTable.h"

namespace {

const std::vector<std::string> kDwarfNames = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
const std::vector<std::string> kKnightNames = {"stumpf", "scharf"};

struct Brains {
    float turnLength;
    float generalAggressiveness;
    float playerAggressiveness;
    float sleepiness;
    float persistance;
    float sayCheck;
    float strikeDelay;
};

struct DwarfTuning {
    int name;  // index into kDwarfNames
    float maximumSpeed;
    float accelerationTime;
    float swayingTime;
    float strikeTime;
    float forceFactor;
    float counterTime;
    Brains brains;
};

struct KnightTuning {
    int name;  // index into kKnightNames
    float maximumSpeed;
    float accelerationTime;
    float bombProbability;
    Brains brains;
};

// DwarfModel_1 is the player; the rivals differ in temper so each round plays differently.
// Only the first kComputerDwarfs + 1 are in play; the rest wait for a larger game.
const std::array<DwarfTuning, 5> kDwarfs = {{
    {0, 0.32f, 0.15f, 1.0f, 0.5f, 0.3f, 0.3f, {0.75f, 0.9f, 0.3f, 0.2f, 0.8f, 0.5f, 0.5f}},
    // tabor: a slow brawler who likes to pick on the player.
    {1, 0.27f, 0.20f, 1.1f, 0.5f, 0.3f, 0.3f, {0.75f, 0.85f, 0.4f, 0.2f, 0.8f, 0.5f, 0.55f}},
    // quirn: quick on his feet, but often dozes off and keeps to himself.
    {2, 0.30f, 0.15f, 0.9f, 0.5f, 0.3f, 0.3f, {0.7f, 0.7f, 0.25f, 0.3f, 0.7f, 0.6f, 0.45f}},
    // marlo: sleepy and stubborn.
    {3, 0.26f, 0.25f, 1.2f, 0.5f, 0.3f, 0.3f, {0.9f, 0.6f, 0.3f, 0.4f, 0.85f, 0.35f, 0.6f}},
    // gandel: crafty, hunts the player.
    {4, 0.29f, 0.20f, 1.0f, 0.5f, 0.3f, 0.3f, {0.75f, 0.8f, 0.55f, 0.15f, 0.75f, 0.5f, 0.5f}},
}};

// Knights are slower than dwarfs (a dwarf can always run away) but need two blows.
const std::array<KnightTuning, 3> kKnights = {{
    {0, 0.22f, 0.30f, 0.0008f, {0.9f, 0.9f, 0.35f, 0.1f, 0.85f, 0.0f, 0.6f}},
    {1, 0.25f, 0.25f, 0.0010f, {0.8f, 0.9f, 0.4f, 0.1f, 0.85f, 0.0f, 0.55f}},
    {0, 0.24f, 0.30f, 0.0012f, {0.9f, 0.9f, 0.35f, 0.1f, 0.85f, 0.0f, 0.6f}},
}};

void WriteSoundEngine(SettingsWriter& out)
{
    // The engine keeps its events sorted by name and saves them so; write them the same way.
    std::map<std::string, const SoundEventEntry*> sorted;
    for (const SoundEventEntry& entry : kSoundEvents) {
        sorted.emplace(std::string(entry.event), &entry);
    }
    out.StartObject("Sound Engine", "SoundEngine", false);
    out.Begin("SoundEngine", "Sound Engine");
    out.Begin("AudioEvents", "AudioEvents");
    for (const auto& [name, entry] : sorted) {
        out.ClassType("AudioEvent");
        out.Begin("AudioEvent", name);
        out.String("name", "sample_" + std::string(entry->file));
        out.Bool("is 3d", false);
        out.Bool("is looping", entry->looping);
        out.Float("volume", entry->volume);
        out.Float("volume variation", 0.0f);
        out.Float("pitch", 1.0f);
        out.Float("pitch variation", entry->pitchVariation);
        out.Float("priority", 0.5f);
        out.Float("minDistance", 1.0f);
        out.Float("maxDistance", 20.0f);
        out.Int("soundGroup", entry->group);
        out.End();
    }
    out.End();
    out.End();
}

void WriteSampleManager(SettingsWriter& out)
{
    out.StartObject("Sample Manager", "SampleManager", false);
    out.Begin("Sample Manager", "Sample Manager");
    out.End();
}

void WriteLevel(SettingsWriter& out)
{
    out.StartObject("Level01Settings", "QMMainLevel", false);
    out.Begin("LevelParameter", "Level01Settings");
    // A chance per update pass: about one new item every five seconds.
    out.Float("Item Wahrscheinlichkeit", 0.003f);
    out.Float("Round Length", 45.0f);
    out.VectorFloat("Knights Occurrance", 5.0f, 5.0f);
    out.Float("Number Speed", -40.0f);
    out.Float("Number Time", 1.5f);
    out.String("Number Font", "font_ziffern_gross");
    out.VectorFloat("Depth Correction", 1.0f, 0.0f);
    out.Float("Ambient Volume", 0.25f);
    out.Float("Music Volume", 0.2f);
    out.Note("Two computer dwarfs: the round counter starts at 2 and the game is decided when a round");
    out.Note("ends at 4, so it lasts three rounds; the second adds a knight (KnightModel_2), the third");
    out.Note("another (KnightModel_3). With two rivals the player only has to match the better one each");
    out.Note("round, which a fair player can do, while the rising number of knights keeps it lively.");
    out.Int("DEBUG:nDwarfs", kComputerDwarfs);
    out.Note("The queen watches from her seat over the door: she claps at a dwarf's fall and grumbles");
    out.Note("at a knight's, which brings the painted throne to life and changes no score.");
    out.Bool("Queen on Throne", true);
    out.Note("The hunter comes in from the second round, with the first knight: the first round stays a");
    out.Note("plain fight to learn the board, and the later ones get a random shot (-25 points and a");
    out.Note("short reel for the dwarf it hits) and the odd antler (+50) to scramble for. 0: never.");
    out.Int("Hunter from Round", 2);
    out.End();
}

void WriteBrains(SettingsWriter& out, const Brains& brains)
{
    out.ClassType("AStarController");
    out.Begin("AStarController", "Brains");
    out.Float("Turn Length", brains.turnLength);
    out.Float("General Aggressiveness", brains.generalAggressiveness);
    out.Float("Player Aggressiveness", brains.playerAggressiveness);
    out.Float("Sleepiness", brains.sleepiness);
    out.Float("Persistance", brains.persistance);
    out.Float("Say Check", brains.sayCheck);
    out.Float("Strike Delay", brains.strikeDelay);
    out.End();
}

void WriteDwarf(SettingsWriter& out, int number, const DwarfTuning& dwarf)
{
    const std::string name = "DwarfModel_" + std::to_string(number);
    out.StartObject(name, "DwarfModel", true);
    out.Begin("Dwarf Model", name);
    out.ComboBox("Dwarf Name", kDwarfNames, dwarf.name);
    out.Float("maximum Speed", dwarf.maximumSpeed);
    out.Float("Accelleration Time", dwarf.accelerationTime);
    out.Float("Swaying Time", dwarf.swayingTime);
    out.Int("Score f. Kill", 10);
    out.Float("StrikeTime", dwarf.strikeTime);
    out.Float("Force Factor", dwarf.forceFactor);
    out.Float("Force Max", 3.0f);
    out.Float("CounterTime", dwarf.counterTime);
    out.Float("Size", 1.0f);
    out.Float("Board Size", 4.0f);
    WriteBrains(out, dwarf.brains);
    // The idle fidget and the sleeping breath move slowly.
    const std::array<std::pair<const char*, float>, 12> rates = {{{"run", 15.0f},
                                                                 {"schlaf", 5.0f},
                                                                 {"stop", 15.0f},
                                                                 {"start", 15.0f},
                                                                 {"schlag", 15.0f},
                                                                 {"getroffen", 15.0f},
                                                                 {"taumeln", 12.0f},
                                                                 {"umfallen", 15.0f},
                                                                 {"schach", 12.0f},
                                                                 {"brett", 15.0f},
                                                                 {"doppel", 15.0f},
                                                                 {"idle", 6.0f}}};
    for (const auto& [state, fps] : rates) {
        out.Float(std::string(state) + " fps.:", fps);
    }
    out.End();
}

void WriteKnight(SettingsWriter& out, int number, const KnightTuning& knight)
{
    const std::string name = "KnightModel_" + std::to_string(number);
    out.StartObject(name, "KnightModel", true);
    out.Begin("Knight Model", name);
    out.ComboBox("Knight Name", kKnightNames, knight.name);
    out.Float("maximum Speed", knight.maximumSpeed);
    out.Float("Accelleration Time", knight.accelerationTime);
    out.Float("Swaying Time", 1.0f);
    out.Float("StrikeTime", 0.7f);
    out.Float("CounterTime", 0.4f);
    out.Float("Board Size", 4.0f);
    out.Float("Size", 1.5f);
    out.Int("Score f. Kill", 20);
    out.Float("Bomb Probab.", knight.bombProbability);
    WriteBrains(out, knight.brains);
    for (const char* state : {"run", "stop", "start", "schlag", "umfallen"}) {
        out.Float(std::string(state) + " fps.:", 15.0f);
    }
    out.End();
}

void WriteJester(SettingsWriter& out)
{
    out.StartObject("Jester", "Jester", true);
    out.Begin("Jester", "Jester");
    out.VectorFloat("Random Timer", 8.0f, 15.0f);
    out.Float("Sleep Time", 4.0f);
    out.Float("Joke Radius", 2.5f);
    out.Float("Search Time", 2.0f);
    out.VectorFloat("Location 0", 0.2f, 0.2f);
    out.VectorFloat("Location 1", 0.2f, 0.6f);
    out.VectorFloat("Location 2", 0.4f, 0.8f);
    out.End();
}

void WriteHunter(SettingsWriter& out)
{
    out.StartObject("Hunter", "Hunter", true);
    out.Begin("Hunter", "Hunter");
    // Away 10 to 25 s: one or two visits in a round of 45 s.
    out.VectorFloat("Random Timer", 10.0f, 15.0f);
    out.VectorFloat("Starting Position", 0.5f, -0.1f);
    out.VectorFloat("Speed ", 0.0f, 0.0f);
    out.Float("Bullet Speed ", 0.4f);
    out.Float("Bullet Radius", 1.5f);
    out.VectorFloat("Search Time", 1.0f, 2.0f);
    // A chance per frame while the sweep passes straight ahead: the antler now and then, not
    // on every visit.
    out.Float("Geweih prob", 0.01f);
    out.Float("Geweih Zeit", 2.0f);
    out.End();
}

void WriteQueen(SettingsWriter& out)
{
    out.StartObject("Queen", "Queen", true);
    out.Begin("Queen", "Queen");
    out.VectorFloat("Idle Timer", 2.0f, 4.0f);
    out.Float("Chew Percentage", 0.2f);
    out.End();
}

void WriteBomb(SettingsWriter& out)
{
    out.StartObject("BombItem_Dwarf", "BombItem", true);
    out.Begin("BombItem", "BombItem_Dwarf");
    // Bombs come only from the knights, never at random.
    out.Int("Multiplicity", 0);
    out.String("animation Name", kBombAnimationLabel);
    // A short fuse: long enough to run, short enough to scare.
    out.Float("OnScreen time", 4.0f);
    out.Float("Explosion Radius", 3.0f);
    out.End();
}

void StartItem(SettingsWriter& out, const std::string& className, const std::string& name)
{
    out.StartObject(name, className, true);
    out.Begin(className, name);
}

// Random items: every name holds "Dwarf", "Multiplicity" is its weight in the draw. Each kind
// has a picture of its own (board, coins, nightcap, winged boot, snail) so a player can tell
// them apart on the board. With the level's chance per pass one comes every three to six
// seconds; ten seconds on the board keep two or three lying at a time, and no effect lasts
// longer than a fifth of a round. Points items (only the player collects them) weigh most.
void WriteItems(SettingsWriter& out)
{
    StartItem(out, "BoardItem", "BoardItem_Dwarf");
    out.String("spriteName", "item_brett");
    out.Int("Multiplicity", 2);
    out.Float("OnScreen time", 10.0f);
    out.Int("Points", 0);
    out.End();

    StartItem(out, "DizzyItem", "DizzyItem_Dwarf");
    out.String("spriteName", "dizzy_item");
    out.Int("Multiplicity", 1);
    out.Float("OnScreen time", 10.0f);
    out.Float("Working time", 5.0f);
    out.End();

    StartItem(out, "PointsItem", "PointsItem_Dwarf");
    out.String("spriteName", "item_punkte");
    out.Int("Multiplicity", 3);
    out.Float("OnScreen time", 10.0f);
    out.Int("Points", 10);
    out.End();

    StartItem(out, "SkateItem", "SkateItem_Dwarf");
    out.Int("Multiplicity", 1);
    out.String("spriteName", "skate_item");
    out.Float("skateBonus", 0.4f);
    out.Float("OnScreen time", 10.0f);
    out.Float("Max skate factor", 1.0f);
    out.Float("Working time", 8.0f);
    out.End();

    StartItem(out, "SleepyItem", "SleepyItem_Dwarf");
    out.Int("Multiplicity", 1);
    out.String("spriteName", "item_schlaf");
    out.String("pickupSound", "sleepyItemSound");
    out.Float("OnScreen time", 10.0f);
    out.Int("Points", 10);
    out.Float("Working time", 5.0f);
    out.End();

    StartItem(out, "SpeedBonusItem", "SpeedBonusItem_Dwarf");
    out.String("spriteName", "item_schnell");
    out.Int("Multiplicity", 2);
    out.Float("speedBonus", 0.08f);
    out.Float("OnScreen time", 10.0f);
    out.Float("Max Bonus Speed", 0.5f);
    out.Int("Points", 10);
    out.Float("Working time", 8.0f);
    out.End();

    StartItem(out, "SpeedMalusItem", "SpeedMalusItem_Dwarf");
    out.String("spriteName", "item_langsam");
    out.Int("Multiplicity", 1);
    out.Float("speedMalus", 0.08f);
    out.Float("Min Malus Speed", 0.12f);
    out.Int("Points", 10);
    out.Float("OnScreen time", 10.0f);
    out.Float("Working time", 6.0f);
    out.End();
}

// The hunter's trophy: worth a lot, never placed at random (no "Dwarf" in its name).
void WriteAntler(SettingsWriter& out)
{
    StartItem(out, "PointsItem", "Geweih");
    out.String("spriteName", kAntlerSpriteLabel);
    out.Int("Multiplicity", 0);
    out.Float("OnScreen time", 8.0f);
    out.Int("Points", 50);
    out.End();
}

}  // namespace

std::string SettingsFileText()
{
    SettingsWriter out;
    WriteSoundEngine(out);
    WriteSampleManager(out);
    WriteLevel(out);
    for (size_t i = 0; i < kDwarfs.size(); ++i) {
        WriteDwarf(out, static_cast<int>(i) + 1, kDwarfs[i]);
    }
    for (size_t i = 0; i < kKnights.size(); ++i) {
        WriteKnight(out, static_cast<int>(i) + 1, kKnights[i]);
    }
    WriteJester(out);
    WriteHunter(out);
    WriteQueen(out);
    WriteBomb(out);
    WriteItems(out);
    WriteAntler(out);
    return out.Text();
}
