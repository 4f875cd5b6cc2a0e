#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "app/KeyboardInput.h"
#include "audio/AudioEvent.h"
#include "audio/SoundEngine.h"
#include "frontend/HighscoreManager.h"
#include "game/ObjectSettingsFile.h"
#include "game/board/GameMap.h"
#include "game/figures/GameModel.h"
#include "game/items/BonusItem.h"
#include "game/level/QMMainLevel.h"
#include "game/steering/DwarfController.h"
#include "params/Cast.h"
#include "platform/VirtualKeys.h"
#include "spritemanager/SpriteTestSupport.h"
#include "support/RecordingGame.h"
#include "text/FontLoaderUtil.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

namespace {

using Lines = std::vector<std::string>;

constexpr float kDt = 0.1f;
constexpr int kMaxFrames = 1000;
// The screen font's glyphs, two pixels wide with a gap of one: glyph i starts at 3i.
constexpr const char* kGlyphs = "ab0123456789N\xE4" "chsteRundi";
constexpr int kScreenTextTop = 300;

// Counts its updates and the deletions of its kind; its first update hands its child to the level.
class ProbeElement : public GameElement {
public:
    ~ProbeElement() override { ++deletions; }
    void Render() override {}
    void Update(float) override
    {
        ++updates;
        if (child) {
            GameMap::Instance().GetLevel()->AddDynamic(std::move(child));
        }
    }

    static inline int deletions = 0;
    int updates = 0;
    std::unique_ptr<ProbeElement> child;
};

// DwarfModel_1 to 3 (the first by the name index given, then quirn and marlo), KnightModel_1 to 3.
std::string CastSettings(int firstName)
{
    std::string text;
    for (int i = 1; i <= 6; ++i) {
        const bool dwarf = i <= 3;
        const std::string name = (dwarf ? "DwarfModel_" : "KnightModel_") + std::to_string(dwarf ? i : i - 3);
        text += std::string("DYNAMIC OBJECT START\nclass type: \"class ") + (dwarf ? "DwarfModel" : "KnightModel") +
                "\"\n[" + (dwarf ? "Dwarf" : "Knight") + " Model] \"" + name + "\"\n{\n";
        text += dwarf ? "\"Dwarf Name_index\" " + std::to_string(i == 1 ? firstName : i) + "\n}\n" : "}\n";
    }
    return text;
}

// The main level with a player nobody steers, rivals and knights without controllers, no random
// items, and a sound engine that makes a countable voice of every clock tick.
class MainLevelTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        ReleaseLevelServices();
        Randomizer::Instance().Seed(1);
        dir.Write("data/level01/roundend.txt", "ab\n");
        for (const char* event : {"stopwatchSound", "dwarfRoundFinished"}) {
            SoundEngine::Instance().AddAudioEvent(event, AudioEvent());
        }
        SoundEngine::Instance().Enable(true);
        RecordingGame::Clear();
    }

    void TearDown() override
    {
        level.Exit();
        cast.clear();
        ReleaseLevelServices();
        GraphicsTest::TearDown();
    }

    static void ReleaseLevelServices()
    {
        Cast::Release();
        SoundEngine::Release();
        KeyboardInput::Release();
        HighscoreManager::Release();
        GameMap::Release();
    }

    void Start(float roundLength, int firstName = 0)
    {
        dir.Write("data/shared/settings/cast.txt", CastSettings(firstName));
        ObjectSettingsFile::Load("cast.txt", [this](const std::string& className, const std::string& name) {
            cast.push_back(Factory<GameElement>::Create(className));
            Cast::Instance().Register(cast.back().get(), name, true);
        });
        for (size_t i = 1; i < cast.size(); ++i) {
            static_cast<GameModel&>(*cast[i]).ReplaceController(nullptr);
        }
        level.Init(&game);
        level.SetDwarfCount(2);
        level.SetRoundLength(roundLength);
        level.SetItemProbability(0.0f);
        level.Activate();
    }

    static GameModel& Figure(const std::string& name) { return dynamic_cast<GameModel&>(*Cast::Instance().Find(name)); }
    static GameModel& Player() { return Figure("DwarfModel_1"); }

    // Runs the level while it stays in the state; returns the clock's ticks, as whole seconds left.
    std::vector<int> RunWhile(int state)
    {
        std::vector<int> ticks;
        for (int frame = 0; frame < kMaxFrames && level.GetState() == state; ++frame) {
            const int voices = SoundEngine::Instance().VoiceCount();
            level.Update(kDt);
            if (level.GetState() == state && SoundEngine::Instance().VoiceCount() > voices) {
                ticks.push_back(static_cast<int>(std::trunc(level.GetTimer())));
            }
        }
        return ticks;
    }

    void RunUntilCountdown()
    {
        while (level.GetTimer() >= QMMainLevel::kCountdownSeconds) {
            level.Update(kDt);
        }
    }

    Lines KnightsInPlay() const
    {
        Lines names;
        for (const GameModel* figure : level.GetFigures()) {
            if (figure->GetKind() == GameModel::kKnight) {
                names.push_back(Cast::Instance().NameOf(figure));
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void LoadScreenFont()
    {
        std::vector<Color> pixels;
        for (size_t glyph = 0; glyph < std::string(kGlyphs).size(); ++glyph) {
            pixels.insert(pixels.end(), {0xFFFFFF, 0xFFFFFF, 0xFF00FF});
        }
        dir.Write("data/fonts/IngameFont_small.bmp", Bmp24(static_cast<int>(pixels.size()), 1, pixels));
        ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont("IngameFont_small", 8, 1, 20, kGlyphs));
    }

    // The screen text as drawn: the glyphs of each line, spaces left out.
    Lines ScreenLines()
    {
        RenderEngine::Instance().Clear();
        level.Render();
        const Sprite* font = Sprites().GetSprite("Font_IngameFont_small");
        std::map<int, std::string> lines;
        for (const auto& entry : RenderEngine::Instance().GetDepthQueue()) {
            if (entry.sprite == font && entry.info.destY >= kScreenTextTop) {
                lines[entry.info.destY] += kGlyphs[entry.info.srcX / 3];
            }
        }
        Lines texts;
        for (const auto& [y, text] : lines) {
            texts.push_back(text);
        }
        return texts;
    }

    RecordingGame game;
    std::vector<std::unique_ptr<GameElement>> cast;
    QMMainLevel level;
};

TEST_F(MainLevelTest, TiesWinRoundsThatTickDownBringTheNextKnightAndCarryTheTotalNeverBelowZero)
{
    Start(15.0f);
    const std::vector<int> roundTicks = {5, 4, 3, 2, 1, 0};
    const std::vector<int> breakTicks = {3, 2, 1, 0};
    std::vector<Lines> knights;
    std::vector<int> carried;
    for (int round = 0; round < 3; ++round) {
        knights.push_back(KnightsInPlay());
        Player().AddRoundScore(round);
        Figure("DwarfModel_2").AddRoundScore(round);
        Player().SetTotalScore(round == 0 ? 30 : -5);
        EXPECT_EQ(RunWhile(QMMainLevel::kPlaying), roundTicks);
        if (round < 2) {
            EXPECT_EQ(level.GetState(), QMMainLevel::kBetweenRounds);
            EXPECT_EQ(RunWhile(QMMainLevel::kBetweenRounds), breakTicks);
            carried.push_back(Player().GetTotalScore());
        }
    }
    EXPECT_EQ(knights, (std::vector<Lines>{{}, {"KnightModel_2"}, {"KnightModel_2", "KnightModel_3"}}));
    EXPECT_EQ(carried, (std::vector<int>{30, 0}));
    EXPECT_EQ(level.GetState(), QMMainLevel::kFinalFanfare);
    EXPECT_TRUE(level.HasWon());
    // The fanfares are not registered events: the first play of each logs its name.
    EXPECT_TRUE(Logged("AudioEvent dwarfLevelFinished not found"));
    EXPECT_FALSE(Logged("AudioEvent gameover not found"));
}

TEST_F(MainLevelTest, ARoundBelowTheBestRivalLosesAndHandsThePlayersTotalToTheHighscoreLevel)
{
    Start(1.0f);
    Figure("DwarfModel_3").AddRoundScore(1);
    Player().SetTotalScore(12);
    RunWhile(QMMainLevel::kPlaying);
    EXPECT_EQ(level.GetState(), QMMainLevel::kFinalFanfare);
    EXPECT_FALSE(level.HasWon());
    EXPECT_TRUE(Logged("AudioEvent gameover not found"));
    RunWhile(QMMainLevel::kFinalFanfare);
    EXPECT_EQ(HighscoreManager::Instance().ResultScore(), 12);
    RunWhile(QMMainLevel::kFinalScreen);
    EXPECT_EQ(RecordingGame::Calls(), Lines{"Init 3"});
}

TEST_F(MainLevelTest, BetweenRoundsTheTextStandsAloneUntilTheCountdownJoinsIt)
{
    LoadScreenFont();
    Start(1.0f);
    RunWhile(QMMainLevel::kPlaying);
    EXPECT_EQ(ScreenLines(), Lines{"ab"});
    RunUntilCountdown();
    EXPECT_EQ(ScreenLines(), (Lines{"ab", "N\xE4" "chsteRundein", "3"}));
}

TEST_F(MainLevelTest, WithoutRoundEndTextsTheBreakShowsOnlyTheCountdown)
{
    LoadScreenFont();
    std::filesystem::remove(dir.Path() / "data/level01/roundend.txt");
    Start(1.0f);
    RunWhile(QMMainLevel::kPlaying);
    EXPECT_EQ(level.ChosenText(), "");
    EXPECT_TRUE(ScreenLines().empty());
    RunUntilCountdown();
    EXPECT_EQ(ScreenLines(), (Lines{"N\xE4" "chsteRundein", "3"}));
}

TEST_F(MainLevelTest, OnlyThePlayersPointsFloatAndZeroHasNoSign)
{
    Start(15.0f);
    Player().AddScore(5, Player().GetPosition());
    Player().AddScore(-3, Player().GetPosition());
    Figure("DwarfModel_2").AddScore(7, Player().GetPosition());
    level.AddFloatingNumber(0, 100, 100);
    Lines texts;
    for (const auto& number : level.GetFloatingNumbers()) {
        texts.push_back(number.text);
    }
    EXPECT_EQ(texts, (Lines{"+5", "-3", "0"}));
}

TEST_F(MainLevelTest, EscapeAndPActOnReleaseAndEachIgnoresTheOthersState)
{
    Start(15.0f);
    level.KeyDown(vk::kEscape);
    EXPECT_EQ(level.GetState(), QMMainLevel::kPlaying);
    const std::vector<std::pair<int, int>> steps = {{vk::kEscape, QMMainLevel::kConfirmQuit},
                                                    {'P', QMMainLevel::kConfirmQuit},
                                                    {vk::kEscape, QMMainLevel::kPlaying},
                                                    {'P', QMMainLevel::kPaused},
                                                    {vk::kEscape, QMMainLevel::kPaused},
                                                    {'P', QMMainLevel::kPlaying}};
    for (const auto& [key, state] : steps) {
        level.KeyUp(key);
        EXPECT_EQ(level.GetState(), state) << "after key " << key;
    }
}

TEST_F(MainLevelTest, DynamicsJoinThePassTheyAreAddedInAndOnlyOwnedOnesAreDeletedAndForgotten)
{
    Start(1.0f);
    std::unique_ptr<BonusItem> item = BonusItem().Clone();
    const Cell cell = GameMap::Instance().RandomFreeCell();
    item->PlaceAt(cell.column, cell.row);
    BonusItem::Register(std::move(item));
    ProbeElement::deletions = 0;
    ProbeElement borrowed;
    auto owned = std::make_unique<ProbeElement>();
    owned->child = std::make_unique<ProbeElement>();
    ProbeElement* child = owned->child.get();
    ProbeElement* ownedElement = owned.get();
    level.AddDynamic(&borrowed);
    level.AddDynamic(std::move(owned));
    level.Update(kDt);
    EXPECT_EQ(child->updates, 1);
    level.Forget(&borrowed);
    level.Forget(ownedElement);
    level.Update(kDt);
    EXPECT_EQ(ProbeElement::deletions, 1);
    EXPECT_EQ(borrowed.updates, 2);
    EXPECT_FALSE(level.HasDynamic(&borrowed));
    EXPECT_TRUE(level.HasDynamic(child));
    ASSERT_EQ(BonusItem::Collectables().size(), 1u);
    RunWhile(QMMainLevel::kPlaying);
    RunWhile(QMMainLevel::kBetweenRounds);
    // The item, still on the board at the round's end, went with the round.
    EXPECT_EQ(level.DynamicCount(), 0);
    EXPECT_TRUE(BonusItem::Collectables().empty());
    EXPECT_EQ(GameMap::Instance().ItemAt(cell.column, cell.row), nullptr);
}

TEST_F(MainLevelTest, WithoutThePlayersDwarfTheLevelLogsAnErrorAndGoesBackToTheMenu)
{
    Start(15.0f, 1);
    EXPECT_EQ(level.GetPlayer(), nullptr);
    EXPECT_TRUE(Logged("***ERROR: MainLevel: No dwarf named \"fenno\" takes part"));
    level.Update(kDt);
    level.Update(kDt);
    EXPECT_EQ(RecordingGame::Calls(), Lines{"Init 0"});
}

}  // namespace
