#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "audio/SampleManager.h"
#include "display/DirectDraw.h"
#include "frontend/HighscoreManager.h"
#include "game/GameQuillmark.h"
#include "game/board/GameMap.h"
#include "game/figures/DwarfModel.h"
#include "game/level/QMMainLevel.h"
#include "game/steering/AStarController.h"
#include "platform/Mixer.h"
#include "settings/SettingsManager.h"
#include "sprites/DecodedFrameCache.h"
#include "support/TempDir.h"
#include "util/Randomizer.h"

// Every allocation of this program passes through here, so whole games can be checked for leaks.
namespace {
std::atomic<long> liveAllocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory) {
        std::abort();
    }
    ++liveAllocations;
    return memory;
}

// Temporary buffers (stable sorts) come from here; under the address sanitizer an unreplaced
// nothrow form would be paired with the release below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory) {
        ++liveAllocations;
    }
    return memory;
}

// The replacement pair allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    if (memory) {
        --liveAllocations;
    }
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
#pragma GCC diagnostic pop

namespace {

namespace fs = std::filesystem;

constexpr int kSettledAfterGames = 10;
// Games after the settling in which the live allocations may still rise: a rare event's first
// time (a container's first entry) can come late. A leak rises in game after game.
constexpr int kLateFirstAllocations = 2;
constexpr float kFrameSeconds = 1.0f / 30.0f;
// Three rounds of 6 s, two breaks of 6 s, the fanfare and the final screen take 41 s.
constexpr int kMaxFramesPerGame = 1300;
constexpr int kRenderEvery = 10;
constexpr int kMixerRate = 44100;
constexpr int kMixerFramesPerFrame = 1470;
constexpr size_t kReportedProblems = 10;

constexpr const char* kSettingsFile = "shared/settings/settings.txt";

// A board the games are played on: the settings file's values that differ from the generated.
struct Court {
    const char* name;
    int games;
    // A line the games' log must hold, or null.
    const char* witnessed;
    std::vector<std::pair<std::regex, std::string>> settingsChanges;
};

// The level with both switches off, and with the queen and the hunter, who comes
// every round and soon, so that the short rounds see him shoot and drop antlers.
const Court kCourts[] = {
    {"ItemsBombAndJester", 100, nullptr, {{std::regex(R"("Queen on Throne" \d+)"), R"("Queen on Throne" 0)"},
                                  {std::regex(R"("Hunter from Round" \d+)"), R"("Hunter from Round" 0)"}}},
    {"WithQueenAndHunter", 50, "Shooting at", {{std::regex(R"("Queen on Throne" \d+)"), R"("Queen on Throne" 1)"},
                                 {std::regex(R"("Hunter from Round" \d+)"), R"("Hunter from Round" 1)"},
                                 {std::regex(R"((\[Hunter\] "Hunter"\n\{\n    "Random Timer") [^\n]*)"), "$1 1.0 1.0"},
                                 {std::regex(R"("Geweih prob" [^\n]*)"), R"("Geweih prob" 0.1)"}}},
};

// Lays out data/ as the program finds it: a configuration that asks for no ".rle" files, the
// generated files linked in (the settings file copied with the court's changes), and their
// ".rle" caches copied, as loading rewrites a stale one.
void LayOutData(const TempDir& dir, const Court& court)
{
    const fs::path generated = QM_GENERATED_DATA_DIR;
    dir.Write("data/config.txt", "preloadData 0\ngenerateRleFiles 0\n");
    for (auto entry = fs::recursive_directory_iterator(generated); entry != fs::recursive_directory_iterator();
         ++entry) {
        const fs::path relative = fs::relative(entry->path(), generated);
        const fs::path target = dir.Path() / "data" / relative;
        if (entry->is_directory()) {
            fs::create_directories(target);
        } else if (entry->path().extension() == ".rle") {
            fs::copy_file(entry->path(), target);
        } else if (entry.depth() > 0 && relative != kSettingsFile) {
            fs::create_symlink(entry->path(), target);
        }
    }
    std::ifstream in(generated / kSettingsFile, std::ios::binary);
    std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& [pattern, replacement] : court.settingsChanges) {
        ASSERT_TRUE(std::regex_search(settings, pattern)) << court.name;
        settings = std::regex_replace(settings, pattern, replacement);
    }
    dir.Write(std::string("data/") + kSettingsFile, settings);
}

// What is wrong with the figures in play, or nothing.
std::string FigureProblem(const QMMainLevel& level)
{
    const std::vector<GameModel*>& figures = level.GetActiveFigures();
    for (size_t i = 0; i < figures.size(); ++i) {
        const GameModel& figure = *figures[i];
        const BoardPoint at = figure.GetPosition();
        // A fallen figure lies still until it vanishes, and no longer holds its cell: the hunter's
        // closing lane may block the cell under it.
        const bool fallen = figure.GetState() == GameModel::kFall;
        if (std::min(at.column, at.row) < 0.0f || (!fallen && !GameMap::Instance().IsWalkable(figure.GetCell()))) {
            return figure.GetName() + " stands off the walkable board";
        }
        if (figure.GetKind() == GameModel::kDwarf && (figure.GetRoundScore() < 0 || figure.GetTotalScore() < 0)) {
            return figure.GetName() + " has a negative score";
        }
        for (size_t j = i + 1; j < figures.size(); ++j) {
            const GameModel& other = *figures[j];
            // A figure lying in its last moments no longer blocks; every other one does.
            const bool blocking = !figure.IsVanishing() && !other.IsVanishing();
            const float reach = figure.GetCollisionRadius() + other.GetCollisionRadius();
            if (blocking && GameMap::PositionDistanceSquared(at, other.GetPosition()) < reach * reach) {
                return figure.GetName() + " overlaps " + other.GetName();
            }
        }
    }
    return std::string();
}

// The warnings, errors and missing sounds of the log beyond the expected ones: the fonts'
// repeated glyphs, the classes not built yet, the rare crowded respawn (counted) and a cache
// that another run was writing while it was copied (counted).
std::vector<std::string> UnexpectedLogLines(const std::string& log, int& respawns, int& ignoredCaches)
{
    static const std::regex flagged(R"(^(\*\*\*(WARNING|ERROR): |AudioEvent .* not found))");
    static const std::regex expected("double defined in the character-set");
    std::vector<std::string> unexpected;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        if (!std::regex_search(line, flagged) || std::regex_search(line, expected)) {
            continue;
        }
        if (line.find("Respawn count exceeded") != std::string::npos) {
            ++respawns;
        } else if (line.find("LoadPreEncodedData: Ignoring") != std::string::npos) {
            ++ignoredCaches;
        } else if (unexpected.size() < kReportedProblems) {
            unexpected.push_back(line);
        }
    }
    return unexpected;
}

// Plays one seeded game from the start of the board game to the highscore level, its sound
// mixed as a device would pull it; returns the frames taken. The first game hands the player's
// dwarf to the computer (it takes the keyboard's controller on its first start) for them all.
int PlayGame(GameQuillmark& game, QMMainLevel& level, int seed, std::unique_ptr<DwarfController>& keyboard,
             std::vector<std::string>& problems)
{
    static std::vector<int16_t> mix(2 * kMixerFramesPerFrame);
    Randomizer::Instance().Seed(static_cast<uint32_t>(seed));
    HighscoreManager::Instance().SetResultScore(HighscoreManager::kNoResult);
    game.Init(GameQuillmark::kMainLevel);
    DwarfModel* player = level.GetPlayer();
    if (player && !keyboard) {
        keyboard = player->ReplaceController(std::make_unique<AStarController>());
        player->GetController()->Attach(player);
    }
    int frames = 0;
    bool resultOffered = false;
    while (player && game.GetLevelNumber() == GameQuillmark::kMainLevel && frames < kMaxFramesPerGame) {
        game.Update(kFrameSeconds);
        SampleManager::Instance().GetMixer()->Mix(mix.data(), kMixerFramesPerFrame);
        if (++frames % kRenderEvery == 0) {
            game.Render();
        }
        const std::string problem = FigureProblem(level);
        if (!problem.empty() && problems.size() < kReportedProblems) {
            problems.push_back("game " + std::to_string(seed) + ", frame " + std::to_string(frames) + ": " + problem);
        }
        if (level.GetState() == QMMainLevel::kFinalScreen && !resultOffered) {
            EXPECT_EQ(HighscoreManager::Instance().ResultScore(), player->GetTotalScore()) << "game " << seed;
            resultOffered = true;
        }
    }
    EXPECT_TRUE(resultOffered) << "game " << seed;
    return frames;
}

void PrintTo(const Court& court, std::ostream* out) { *out << court.name; }

// QM_WHOLE_GAMES caps the games of each court, for slow builds (the sanitizers).
int GamesToPlay(const Court& court)
{
    const char* cap = std::getenv("QM_WHOLE_GAMES");
    return cap ? std::clamp(std::atoi(cap), 1, court.games) : court.games;
}

class WholeGame : public ::testing::TestWithParam<Court> {};

TEST_P(WholeGame, SeededGamesEndOnTheHighscoresWithFiguresScoresLogAndMemoryInOrder)
{
    const Court& court = GetParam();
    const int games = GamesToPlay(court);
    TempDir dir;
    LayOutData(dir, court);
    Debug::Instance().CreateLogFile("data\\debug.txt");
    ASSERT_TRUE(SettingsManager::Instance().LoadSettings("data\\config.txt"));
    ASSERT_TRUE(DirectDraw::Instance().Create(nullptr, 1024, 768, 16, false));
    SampleManager::Instance().InitWithoutOutput(kMixerRate);
    GameQuillmark game;
    game.Init(GameQuillmark::kMainMenuLevel);
    auto* level = dynamic_cast<QMMainLevel*>(game.GetLevel(GameQuillmark::kMainLevel));
    ASSERT_NE(level, nullptr);
    level->SetRoundLength(6.0f);

    std::unique_ptr<DwarfController> keyboard;
    std::vector<std::string> problems;
    int won = 0;
    std::vector<int> frames;
    frames.reserve(static_cast<size_t>(games));
    long liveSettled = 0;
    int risingGames = 0;
    // The log keeps its last lines for the messages window: filled first with lines that each
    // take an allocation, later games replace lines instead of adding them.
    for (size_t line = 0; line < Debug::kKeptLines; ++line) {
        Debug::Instance().Log("%s\n", std::string(40, '-').c_str());
    }
    for (int seed = 1; seed <= games; ++seed) {
        frames.push_back(PlayGame(game, *level, seed, keyboard, problems));
        ASSERT_EQ(game.GetLevelNumber(), GameQuillmark::kHighscoreLevel) << "game " << seed << " did not end";
        won += level->HasWon() ? 1 : 0;
        // A knight loads its own pictures when it first joins a round, so the count settles
        // once the early games have reached the later rounds. Unpacked frames are kept up to a
        // budget, not leaked: they are let go before counting.
        DecodedFrameCache::Release();
        const long live = liveAllocations.load();
        risingGames += seed > kSettledAfterGames && live > liveSettled ? 1 : 0;
        liveSettled = seed >= kSettledAfterGames ? std::max(liveSettled, live) : liveSettled;
    }
    level->GetPlayer()->ReplaceController(std::move(keyboard));
    game.Exit();
    int respawns = 0;
    int ignoredCaches = 0;
    const std::string log = dir.Read("data/debug.txt");
    EXPECT_EQ(UnexpectedLogLines(log, respawns, ignoredCaches), std::vector<std::string>{});
    EXPECT_TRUE(!court.witnessed || log.find(court.witnessed) != std::string::npos) << court.witnessed;
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_LE(risingGames, kLateFirstAllocations) << "games in which the live allocations rose";
    if (games == court.games) {
        EXPECT_GT(won, 0);
        EXPECT_LT(won, games);
    }
    std::printf("%s, %d games: %d won, %d lost; %d to %d frames a game; %d crowded respawns; %d caches ignored; "
                "live allocations rose in %d games after the first %d\n",
                court.name, games, won, games - won, *std::min_element(frames.begin(), frames.end()),
                *std::max_element(frames.begin(), frames.end()), respawns, ignoredCaches, risingGames, kSettledAfterGames);
    // The log's directory goes with the test.
    Debug::Release();
}

INSTANTIATE_TEST_SUITE_P(Courts, WholeGame, ::testing::ValuesIn(kCourts),
                         [](const ::testing::TestParamInfo<Court>& court) { return std::string(court.param.name); });

}  // namespace
