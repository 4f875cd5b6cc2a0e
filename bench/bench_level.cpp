// Speed of the real board game: one frame of the main level (update, render, flush; no present)
// with three dwarfs and three knights on the generated data, with items and bombs as in a game and
// the jester, the queen and the hunter coming often, beside SDL's own full-frame copy of the same
// board on 16-bit (5-6-5) and 32-bit screens.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "app/Debug.h"
#include "bench/BenchStage.h"
#include "game/GameQuillmark.h"
#include "game/figures/GameModel.h"
#include "game/level/QMMainLevel.h"
#include "game/steering/DwarfController.h"
#include "params/Cast.h"
#include "render/RenderEngine.h"
#include "settings/SettingsManager.h"
#include "sprites/SpriteManager.h"
#include "sprites/SurfaceSprite.h"
#include "support/TempDir.h"
#include "util/Randomizer.h"

namespace {

namespace fs = std::filesystem;

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kDwarfs = 3;
constexpr int kKnights = 3;
// No run of the benchmark reaches the end of the round.
constexpr float kRoundSeconds = 3600.0f;
// Pictures built at the start as the game's configuration has it, but no ".rle" files written
// beside the generated ones.
constexpr const char* kConfig = "startGameState GameQuillmark\npreloadData 1\ngenerateRleFiles 0\n";

constexpr const char* kSettingsFile = "shared/settings/settings.txt";

// The generated settings (items as often as in a game) with the court called in often, so that a
// frame's average holds them.
const std::pair<const char*, const char*> kBusyCourt[] = {
    {R"("Queen on Throne" \d+)", R"("Queen on Throne" 1)"},
    {R"("Hunter from Round" \d+)", R"("Hunter from Round" 1)"},
    {R"((\[(Jester|Hunter)\] "\w+"\n\{\n    "Random Timer") [^\n]*)", "$1 0.5 0.5"},
};

// Links the generated entries of folder into data/folder, all but skipped ones.
void LinkEntries(const TempDir& dir, const fs::path& folder, const std::vector<std::string>& skipped)
{
    fs::create_directories(dir.Path() / "data" / folder);
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(QM_GENERATED_DATA) / folder)) {
        std::string name = entry.path().filename().string();
        if (std::find(skipped.begin(), skipped.end(), name) == skipped.end() && !name.starts_with("highscores.dat")) {
            fs::create_symlink(entry.path(), dir.Path() / "data" / folder / name);
        }
    }
}

// data/ is a real directory for the configuration, the log and the busy court's settings; the
// rest of the generated data is linked in.
void LayOutData(const TempDir& dir)
{
    dir.Write("data/config.txt", kConfig);
    LinkEntries(dir, "", {"config.txt", "debug.txt", "crash.txt", "shared"});
    LinkEntries(dir, "shared", {"settings"});
    LinkEntries(dir, "shared/settings", {"settings.txt"});
    std::ifstream in(fs::path(QM_GENERATED_DATA) / kSettingsFile, std::ios::binary);
    std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& [pattern, replacement] : kBusyCourt) {
        settings = std::regex_replace(settings, std::regex(pattern), replacement);
    }
    dir.Write(std::string("data/") + kSettingsFile, settings);
}

// The game lets knights in one per won round, and with three dwarfs never the first knight. The
// level takes the figures of a round by Cast name, "DwarfModel_1" up to nDwarfs + 1, so the
// knights start the round under the names after the dwarfs; their controllers go for dwarfs only,
// as at the start of a later round.
void LetKnightsJoin(QMMainLevel& level)
{
    Cast& cast = Cast::Instance();
    for (int i = 1; i <= kKnights; ++i) {
        cast.Register(cast.Find("KnightModel_" + std::to_string(i)), "DwarfModel_" + std::to_string(kDwarfs + i), true);
    }
    level.SetDwarfCount(kDwarfs + kKnights - 1);
}

void KnightsGoForDwarfs(const QMMainLevel& level)
{
    for (GameModel* figure : level.GetFigures()) {
        if (figure->GetKind() == GameModel::kKnight && figure->GetController()) {
            figure->GetController()->SetAttacksOwnKind(false);
        }
    }
}

// The game loaded as it loads itself, without a sound device, in the board game's first frame.
struct LevelStage {
    explicit LevelStage(int depth)
    {
        LayOutData(dir);
        SettingsManager::Instance().LoadSettings("data\\config.txt");
        Debug::Instance().CreateLogFile("data\\debug.txt");
        CreateBenchDisplay(depth);
        game.Runonce();
        level = dynamic_cast<QMMainLevel*>(game.GetLevel(GameQuillmark::kMainLevel));
        auto* board = dynamic_cast<SurfaceSprite*>(SpriteManager::Instance().GetSprite("background"));
        if (!level || !board) {
            return;
        }
        LetKnightsJoin(*level);
        level->SetRoundLength(kRoundSeconds);
        Randomizer::Instance().Seed(1);
        game.Init(GameQuillmark::kMainLevel);
        KnightsGoForDwarfs(*level);
        sdlBackground = SdlCopy(*board->GetImage());
        sdlTarget = SdlScreenSurface(DirectDraw::kFrameWidth, DirectDraw::kFrameHeight, depth);
    }
    ~LevelStage() { game.Exit(); }

    bool Ready() const { return sdlBackground && level->GetFigures().size() == kDwarfs + kKnights; }

    TempDir dir;
    GameQuillmark game;
    QMMainLevel* level = nullptr;
    SdlSurface sdlBackground;
    SdlSurface sdlTarget;
};

LevelStage* ReadyStage(benchmark::State& state)
{
    LevelStage& stage = StageFor<LevelStage>(state);
    if (!stage.Ready()) {
        state.SkipWithError("no board game with three dwarfs and three knights");
        return nullptr;
    }
    return &stage;
}

void QMMainLevelFrame(benchmark::State& state)
{
    LevelStage* stage = ReadyStage(state);
    if (!stage) {
        return;
    }
    RenderEngine& engine = RenderEngine::Instance();
    for (auto _ : state) {
        stage->game.Update(kFrameSeconds);
        engine.Clear();
        stage->level->Render();
        engine.Flush();
        benchmark::ClobberMemory();
    }
}

void BackgroundBlit_SDL(benchmark::State& state)
{
    if (LevelStage* stage = ReadyStage(state)) {
        BlitBackgroundSdl(state, stage->sdlBackground.get(), stage->sdlTarget.get());
    }
}

}  // namespace

// Each depth's frame beside its yardstick, so the game is loaded once per depth.
BENCHMARK(QMMainLevelFrame)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BackgroundBlit_SDL)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(QMMainLevelFrame)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BackgroundBlit_SDL)->Arg(32)->Unit(benchmark::kMicrosecond);
