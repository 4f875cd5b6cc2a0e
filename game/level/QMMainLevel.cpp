#include "game/level/QMMainLevel.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "app/Debug.h"
#include "app/GameState.h"
#include "app/KeyboardInput.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"
#include "audio/Voice.h"
#include "display/DirectDraw.h"
#include "files/TextFileLines.h"
#include "frontend/HighscoreManager.h"
#include "frontend/QuitQuestion.h"
#include "game/board/GameMap.h"
#include "game/figures/DwarfModel.h"
#include "game/items/BonusItem.h"
#include "game/level/BoardPictures.h"
#include "game/level/BoardOverlay.h"
#include "game/level/BoardProjection.h"
#include "game/steering/DwarfController.h"
#include "params/Cast.h"
#include "params/Serializer.h"
#include "platform/VirtualKeys.h"
#include "render/RenderEngine.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"
#include "text/TextDisplay.h"
#include "util/Randomizer.h"

namespace {

constexpr float kChimneySpeed = 10.0f;
constexpr float kWaterSpeed = 10.0f;
constexpr float kForestSpeed = 8.0f;

constexpr const char* kAmbientStream = "level01\\Audio\\Ambient\\amb_wald";
constexpr const char* kMusicStream = "level01\\Audio\\Ambient\\Moorgan_L1";
constexpr const char* kSmallFont = "IngameFont_small";
constexpr const char* kStatusFont = "font_ziffern_klein";
constexpr const char* kDigitsFont = "font_ziffern_gross";
constexpr const char* kPauseText = "Pause (weiter mit 'P')";
constexpr const char* kWonText = "Gratuliere! Du hast gewonnen!";
constexpr const char* kLostText = "Das war wohl nichts...";
constexpr const char* kCountdownFormat = "%s<br>N\xE4" "chste Runde in<br>%i";
constexpr TextRect kPauseRect{0, 200, 1024, 200};
constexpr TextRect kScreenTextRect{0, 300, 1024, 468};
constexpr TextRect kFinalTextRect{0, 250, 1024, 120};
constexpr int kClockX = 37;
constexpr int kTopLineY = 25;
constexpr int kScoreRight = 958;
constexpr int kFirstPanelX = 186;
constexpr int kPanelStep = 86;
constexpr int kPanelY = 4;
constexpr float kScreenDepth = 10.0f;
constexpr int kKeyPause = 'P';
constexpr const char* kSpawnMarker = "DWARF";

std::string Numbered(const char* format, int number)
{
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

template <class T>
T* CastMember(const std::string& name)
{
    return dynamic_cast<T*>(Cast::Instance().Find(name));
}

// Keeps the text display's shared layout settings as they were found.
class TextLayoutScope {
public:
    TextLayoutScope()
        : display(TextDisplay::Instance()),
          rect(display.GetRect()),
          horizontal(display.GetHorizontalAlignment()),
          vertical(display.GetVerticalAlignment())
    {
        display.PushFont();
    }
    ~TextLayoutScope()
    {
        display.PopFont();
        display.SetRect(rect.x, rect.y, rect.width, rect.height);
        display.SetHorizontalAlignment(horizontal);
        display.SetVerticalAlignment(vertical);
    }
    TextLayoutScope(const TextLayoutScope&) = delete;
    TextLayoutScope& operator=(const TextLayoutScope&) = delete;

private:
    TextDisplay& display;
    TextRect rect;
    int32_t horizontal;
    int32_t vertical;
};

}  // namespace

QMMainLevel::QMMainLevel() = default;

QMMainLevel::~QMMainLevel()
{
    if (GameMap::Exists() && GameMap::Instance().GetLevel() == this) {
        GameMap::Instance().SetLevel(nullptr);
    }
}

void QMMainLevel::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("LevelParameter", name);
    serializer.Float("Item Wahrscheinlichkeit", itemProbability);
    serializer.Float("Round Length", roundLength);
    serializer.VectorFloat("Knights Occurrance", knightsOccurrence.column, knightsOccurrence.row);
    serializer.Float("Number Speed", numberSpeed);
    serializer.Float("Number Time", numberTime);
    serializer.String("Number Font", numberFont);
    serializer.VectorFloat("Depth Correction", depthCorrection.column, depthCorrection.row);
    serializer.Float("Ambient Volume", ambientVolume);
    serializer.Float("Music Volume", musicVolume);
    serializer.Int("DEBUG:nDwarfs", nDwarfs);
    serializer.Bool("Queen on Throne", queenOnThrone);
    serializer.Int("Hunter from Round", hunterFromRound);
    serializer.EndSection();
}

// ---------------------------------------------------------------- life cycle

bool QMMainLevel::Init(GameState* owner)
{
    if (initialised) {
        return true;
    }
    Debug::Instance().Log("MainLevel Init\n");
    game = owner;
    CreateStaticPictures();
    LoadBackgroundAnimations();
    knightsOccurrence = {5.0f, 5.0f};
    ReadTextList(kRoundEndFile, roundEndTexts);
    ReadTextList(kLevelEndFile, levelEndTexts);
    quitDialog = std::make_unique<QuitQuestion>();
    // Loaded in a window too: Alt+Enter may switch to full screen later.
    cursor.SetSpriteLabel("cursor");
    nDwarfs = 100;
    initialised = true;
    won = false;
    Debug::Instance().Log("MainLevel Init Done\n");
    return true;
}

void QMMainLevel::CreateStaticPictures()
{
    SpriteManager& sprites = SpriteManager::Instance();
    const auto add = [&](const board::Placement& placement) {
        StaticPicture picture;
        picture.sprite = sprites.GetSprite(placement.label);
        picture.x = placement.x;
        picture.y = placement.y;
        picture.depth = placement.depth;
        staticPictures.push_back(picture);
    };
    add(board::kBackground);
    for (const board::Placement& mask : board::kMasks) {
        add(mask);
    }
}

void QMMainLevel::LoadBackgroundAnimations()
{
    chimney.SetSpriteLabel(board::kChimneyAnim.label);
    chimney.SetSpeed(kChimneySpeed);
    water.SetSpriteLabel(board::kWaterAnim.label);
    water.SetSpeed(kWaterSpeed);
    forest.SetSpriteLabel(board::kForestAnim.label);
    forest.SetSpeed(kForestSpeed);
    forest.SetMode(Animation::kPingPong);
}

void QMMainLevel::ReadTextList(const char* fileName, std::vector<std::string>& texts)
{
    if (!ReadTextFileLines(fileName, texts)) {
        Debug::Instance().Error("QMCreditLevel Failed to open %s\n", fileName);
    }
}

void QMMainLevel::Exit()
{
    Debug::Instance().Log("MainLevel Exit\n");
    CloseStreams();
    EmptyLists();
    staticPictures.clear();
    roundEndTexts.clear();
    levelEndTexts.clear();
    chimney.Reset();
    water.Reset();
    forest.Reset();
    cursor.Reset();
    quitDialog.reset();
    if (GameMap::Instance().GetLevel() == this) {
        GameMap::Instance().SetLevel(nullptr);
    }
    state = kIdle;
    initialised = false;
    Debug::Instance().Log("MainLevel Exit Done\n");
}

void QMMainLevel::Activate()
{
    Debug::Instance().Log("MainLevel Reset\n");
    EmptyLists();
    GameMap::Instance().SetLevel(this);
    roundCounter = nDwarfs;
    CollectDwarfs();
    SetBoardProjection();
    BuildSpawnTable();
    jester = CastMember<GameElement>(kJesterName);
    if (jester) {
        jester->Reset();
    }
    CallCourt();
    player = DwarfModel::Player();
    if (!player || std::find(figures.begin(), figures.end(), player) == figures.end()) {
        Debug::Instance().Error("MainLevel: No dwarf named \"%s\" takes part, so there is no player: back to the menu\n",
                                DwarfModel::kPlayerName);
        player = nullptr;
        EmptyLists();
        state = kIdle;
        leaveForMenu = true;
        return;
    }
    player->MuteAnimations(true);
    KeyboardInput::Instance().Reset();
    timer = roundLength;
    lastTick = -1;
    quitDialog->Reset();
    OpenStreams();
    Debug::Instance().Log("Models Size %i\n", static_cast<int>(activeFigures.size()));
    Debug::Instance().Log("MainLevel Reset Done\n");
    state = kPlaying;
}

void QMMainLevel::CollectDwarfs()
{
    for (int i = 1; i <= nDwarfs + 1; ++i) {
        auto* dwarf = CastMember<GameModel>(Numbered("DwarfModel_%i", i));
        if (!dwarf) {
            break;
        }
        figures.push_back(dwarf);
        activeFigures.push_back(dwarf);
        dwarf->Reset();
        dwarf->SetDepthCorrection(depthCorrection);
    }
}

void QMMainLevel::BuildSpawnTable()
{
    const std::vector<Cast::Member>& members = Cast::Instance().Members();
    // From the last member down to the second, as the table has always been built.
    for (size_t i = members.size(); i-- > 1;) {
        auto* prototype = dynamic_cast<BonusItem*>(members[i].object);
        if (!prototype) {
            continue;
        }
        std::string upper = members[i].name;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (upper.find(kSpawnMarker) == std::string::npos) {
            continue;
        }
        for (int n = 0; n < prototype->GetMultiplicity(); ++n) {
            spawnTable.push_back(prototype);
        }
    }
}

void QMMainLevel::OpenStreams()
{
    // A new game on a running one ("reset") must not leave the old streams playing unheld.
    CloseStreams();
    SoundEngine& engine = SoundEngine::Instance();
    if (StreamingSample* ambient = engine.OpenMusic(kAmbientStream)) {
        streams["ambient"] = ambient;
        ambient->SetVolume(ambientVolume);
    }
    if (StreamingSample* music = engine.OpenMusic(kMusicStream)) {
        streams["music"] = music;
        music->SetVolume(musicVolume);
    }
    for (auto& [streamName, stream] : streams) {
        stream->PlayLooping();
    }
}

void QMMainLevel::ResetRound()
{
    Debug::Instance().Log("MainLevel ResetRound\n");
    const int carriedScore = player->GetTotalScore();
    ++roundCounter;
    Debug::Instance().Log("MainLevel Deleting %i Dynamics\n", DynamicCount());
    ClearDynamics();
    Debug::Instance().Log("MainLevel Dynamics Deleted\n");
    forgetList.clear();
    GameMap::Instance().Clear();
    if (jester) {
        jester->Reset();
    }
    if (auto* knight = CastMember<GameModel>(Numbered("KnightModel_%i", roundCounter - 1))) {
        if (std::find(figures.begin(), figures.end(), knight) == figures.end()) {
            figures.push_back(knight);
            activeFigures.push_back(knight);
        }
    }
    for (GameModel* figure : figures) {
        figure->Reset();
        figure->SetDepthCorrection(depthCorrection);
        if (figure->GetKind() == GameModel::kKnight && figure->GetController()) {
            // Knights go for dwarfs only, until one of them has fallen and come back.
            figure->GetController()->SetAttacksOwnKind(false);
        }
    }
    CallCourt();
    timer = roundLength;
    floatingNumbers.clear();
    player->SetTotalScore(std::max(carriedScore, 0));
    Debug::Instance().Log("MainLevel Reset Round Done\n");
}

void QMMainLevel::CallCourt()
{
    queen = queenOnThrone ? CastMember<GameElement>(kQueenName) : nullptr;
    const bool hunterComes = hunterFromRound > 0 && GetRoundNumber() >= hunterFromRound;
    hunter = hunterComes ? CastMember<GameElement>(kHunterName) : nullptr;
    for (GameElement* character : {queen, hunter}) {
        if (character) {
            character->Reset();
        }
    }
}

void QMMainLevel::EmptyLists()
{
    Debug::Instance().Log("MainLevel EmptyLists\n");
    Debug::Instance().Log("MainLevel Deleting %i Dynamics\n", DynamicCount());
    activeFigures.clear();
    spawnTable.clear();
    // Owned dynamics (the items) are deleted; each leaves the collectable list and the grid.
    dynamics.clear();
    figures.clear();
    floatingNumbers.clear();
    GameMap::Instance().Clear();
    forgetList.clear();
    Debug::Instance().Log("MainLevel EmptyLists Done\n");
}

// ---------------------------------------------------------------- sound

void QMMainLevel::PlayEvent(const char* eventName)
{
    if (Voice* voice = SoundEngine::Instance().PlayAudioEvent(eventName)) {
        voice->Play();
    }
}

void QMMainLevel::StopFigureSounds()
{
    for (GameModel* figure : activeFigures) {
        figure->StopSounds();
    }
}

void QMMainLevel::StopAllSounds()
{
    for (auto& [streamName, stream] : streams) {
        stream->Stop();
    }
    StopFigureSounds();
}

void QMMainLevel::CloseStreams()
{
    for (auto& [streamName, stream] : streams) {
        stream->Stop();
        SoundEngine::Instance().DestroyStream(stream);
    }
    streams.clear();
    StopFigureSounds();
}

// ---------------------------------------------------------------- frame

void QMMainLevel::Update(float dtSeconds)
{
    if (leaveForMenu) {
        leaveForMenu = false;
        LeaveTo(kMenuLevel);
        return;
    }
    switch (state) {
    case kPlaying:
        UpdatePlaying(dtSeconds);
        break;
    case kConfirmQuit:
        UpdateConfirmQuit(dtSeconds);
        break;
    case kBetweenRounds:
        UpdateBetweenRounds(dtSeconds);
        break;
    case kFinalFanfare:
        UpdateFinalFanfare(dtSeconds);
        break;
    case kFinalScreen:
        UpdateFinalScreen(dtSeconds);
        break;
    default:
        break;
    }
}

void QMMainLevel::LeaveTo(int level)
{
    if (game) {
        game->Init(level);
    }
}

void QMMainLevel::UpdateConfirmQuit(float dtSeconds)
{
    quitDialog->Update(dtSeconds);
    const int answer = quitDialog->Result();
    if (answer == QuitQuestion::kYes) {
        CloseStreams();
        EmptyLists();
        StopFigureSounds();
        state = kIdle;
        LeaveTo(kMenuLevel);
    } else if (answer == QuitQuestion::kNo) {
        state = kPlaying;
    }
}

void QMMainLevel::TickClock(float below)
{
    if (timer >= below) {
        return;
    }
    const int second = static_cast<int>(std::trunc(timer));
    if (second != lastTick) {
        PlayEvent("stopwatchSound");
        lastTick = second;
    }
}

void QMMainLevel::UpdateBetweenRounds(float dtSeconds)
{
    timer -= dtSeconds;
    TickClock(kCountdownSeconds);
    if (timer < 0.0f) {
        ResetRound();
        state = kPlaying;
    }
}

void QMMainLevel::UpdateFinalFanfare(float dtSeconds)
{
    timer -= dtSeconds;
    if (timer >= 0.0f) {
        return;
    }
    HighscoreManager::Instance().SetResultScore(player->GetTotalScore());
    StopFigureSounds();
    StopAllSounds();
    textIndex = Randomizer::Instance().Pick(static_cast<int>(levelEndTexts.size()));
    timer = kFinalScreenSeconds;
    state = kFinalScreen;
}

void QMMainLevel::UpdateFinalScreen(float dtSeconds)
{
    timer -= dtSeconds;
    if (timer < 0.0f) {
        EmptyLists();
        CloseStreams();
        state = kIdle;
        LeaveTo(kHighscoreLevel);
    }
}

void QMMainLevel::UpdatePlaying(float dtSeconds)
{
    timer -= dtSeconds;
    TickClock(kRoundTickSeconds);
    // By index: the array keeps its size during the pass, but never trust a reference into it.
    for (size_t i = 0; i < figures.size(); ++i) {
        figures[i]->Update(dtSeconds);
    }
    RollForItem();
    for (GameElement* character : {jester, hunter, queen}) {
        if (character) {
            character->Update(dtSeconds);
        }
    }
    chimney.Update(dtSeconds);
    water.Update(dtSeconds);
    forest.Update(dtSeconds);
    UpdateDynamics(dtSeconds);
    ProcessForgetList();
    SortFigures();
    AgeFloatingNumbers(dtSeconds);
    if (timer < 0.0f) {
        EndRound();
    }
}

void QMMainLevel::RollForItem()
{
    Randomizer& random = Randomizer::Instance();
    if (random.Fraction() >= itemProbability || spawnTable.empty()) {
        return;
    }
    const BonusItem* prototype = spawnTable[static_cast<size_t>(random.Pick(static_cast<int>(spawnTable.size())))];
    std::unique_ptr<BonusItem> item = prototype->Clone();
    item->PlaceAtRandom();
    BonusItem::Register(std::move(item));
}

void QMMainLevel::SortFigures()
{
    // Insertion sort: stable, in place, and the array holds a handful of figures.
    const auto before = [this](const GameModel* a, const GameModel* b) {
        if (a->GetRoundScore() != b->GetRoundScore()) {
            return a->GetRoundScore() > b->GetRoundScore();
        }
        return a == player && b != player;
    };
    for (size_t i = 1; i < figures.size(); ++i) {
        GameModel* moving = figures[i];
        size_t j = i;
        for (; j > 0 && before(moving, figures[j - 1]); --j) {
            figures[j] = figures[j - 1];
        }
        figures[j] = moving;
    }
}

void QMMainLevel::EndRound()
{
    const auto best = std::find_if(figures.begin(), figures.end(),
                                   [](const GameModel* figure) { return figure->GetKind() == GameModel::kDwarf; });
    if (player->GetRoundScore() < (*best)->GetRoundScore()) {
        won = false;
        StartFanfare();
        return;
    }
    if (roundCounter != kLastRoundCounter) {
        StopFigureSounds();
        PlayEvent("dwarfRoundFinished");
        textIndex = Randomizer::Instance().Pick(static_cast<int>(roundEndTexts.size()));
        timer = kBetweenRoundsSeconds;
        state = kBetweenRounds;
        return;
    }
    won = true;
    StartFanfare();
}

void QMMainLevel::StartFanfare()
{
    StopFigureSounds();
    StopAllSounds();
    PlayEvent(won ? "dwarfLevelFinished" : "gameover");
    timer = kFanfareSeconds;
    state = kFinalFanfare;
}

const std::string& QMMainLevel::ChosenText() const
{
    static const std::string kNoText;
    const std::vector<std::string>& texts = state == kFinalScreen ? levelEndTexts : roundEndTexts;
    if (textIndex < 0 || static_cast<size_t>(textIndex) >= texts.size()) {
        return kNoText;
    }
    return texts[static_cast<size_t>(textIndex)];
}

// ---------------------------------------------------------------- input

void QMMainLevel::KeyUp(int key)
{
    if (key == vk::kEscape) {
        if (state == kPlaying) {
            StopFigureSounds();
            quitDialog->Reset();
            state = kConfirmQuit;
        } else if (state == kConfirmQuit) {
            state = kPlaying;
        }
    } else if (state == kConfirmQuit) {
        quitDialog->KeyUp(key);
    } else if (key == kKeyPause) {
        if (state == kPlaying) {
            StopFigureSounds();
            state = kPaused;
        } else if (state == kPaused) {
            state = kPlaying;
        }
    }
}

void QMMainLevel::MouseButtonDown(int x, int y, bool doubleClick)
{
    if (state == kConfirmQuit) {
        quitDialog->MouseButtonDown(x, y, doubleClick);
    }
}

void QMMainLevel::LeftButtonUp(int x, int y)
{
    if (state == kConfirmQuit) {
        quitDialog->LeftButtonUp(x, y);
    }
}

void QMMainLevel::MouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (state == kConfirmQuit) {
        quitDialog->MouseMove(x, y);
    }
}

// ---------------------------------------------------------------- drawing

void QMMainLevel::Render()
{
    if (state == kIdle) {
        return;
    }
    if (state == kPaused) {
        RenderPausedText();
    } else if (state == kConfirmQuit) {
        if (DirectDraw::Instance().IsFullScreen()) {
            cursor.Draw(mouseX, mouseY, RenderEngine::kCursorDepth);
        }
        quitDialog->Render();
    }
    TextDisplay& display = TextDisplay::Instance();
    display.PushFont();
    RenderScene();
    display.SetFont(kDigitsFont);
    for (const FloatingNumber& number : floatingNumbers) {
        if (number.age < number.lifetime) {
            display.DrawText(number.x + number.xOffset,
                             static_cast<int>(std::trunc(number.speed * number.age + static_cast<float>(number.y))),
                             number.text);
        }
    }
    RenderClockAndTexts();
    if (state != kFinalScreen) {
        RenderTopLine();
    }
    display.PopFont();
}

void QMMainLevel::RenderPausedText()
{
    TextLayoutScope scope;
    TextDisplay& display = TextDisplay::Instance();
    display.SetFont(kSmallFont);
    display.SetRect(kPauseRect.x, kPauseRect.y, kPauseRect.width, kPauseRect.height);
    display.SetHorizontalAlignment(kAlignCenter);
    display.DrawMarkup(kPauseText);
}

void QMMainLevel::RenderScene()
{
    for (const StaticPicture& picture : staticPictures) {
        picture.Draw();
    }
    for (GameElement* character : {jester, hunter, queen}) {
        if (character) {
            character->Render();
        }
    }
    TextDisplay::Instance().SetFont(kStatusFont);
    for (GameModel* figure : figures) {
        figure->Render();
    }
    int panelX = kFirstPanelX;
    for (GameModel* figure : figures) {
        if (figure->GetKind() == GameModel::kDwarf) {
            figure->DrawStatus(panelX, kPanelY);
            panelX += kPanelStep;
        }
    }
    for (const Dynamic& dynamic : dynamics) {
        dynamic.element->Render();
    }
    BoardOverlay::Submit(figures);
}

void QMMainLevel::RenderClockAndTexts()
{
    TextDisplay& display = TextDisplay::Instance();
    char clock[16];
    switch (state) {
    case kPlaying:
    case kPaused:
    case kConfirmQuit: {
        const int seconds = std::max(static_cast<int>(std::trunc(timer)), 0);
        std::snprintf(clock, sizeof clock, "%01d:%02d", seconds / 60, seconds % 60);
        display.DrawText(kClockX, kTopLineY, clock);
        break;
    }
    case kBetweenRounds:
        display.DrawText(kClockX, kTopLineY, "0:00");
        if (timer >= kCountdownSeconds) {
            RenderScreenText(ChosenText(), kScreenTextRect);
        } else {
            char text[1100];
            std::snprintf(text, sizeof text, kCountdownFormat, ChosenText().c_str(),
                          static_cast<int>(std::trunc(std::max(timer, 0.0f))));
            RenderScreenText(text, kScreenTextRect);
        }
        break;
    case kFinalFanfare:
        display.DrawText(kClockX, kTopLineY, "0:00");
        RenderScreenText(won ? kWonText : kLostText, kScreenTextRect);
        break;
    case kFinalScreen:
        if (Sprite* screen = SpriteManager::Instance().GetSprite("GameOverScreen")) {
            screen->Draw(0, 0, 0, kScreenDepth);
        }
        // The closing line was drawn for this screen; it stands under the banner.
        RenderScreenText(ChosenText(), kFinalTextRect);
        break;
    default:
        break;
    }
}

void QMMainLevel::RenderScreenText(const std::string& text, const TextRect& area)
{
    TextLayoutScope scope;
    TextDisplay& display = TextDisplay::Instance();
    display.SetFont(kSmallFont);
    display.SetRect(area.x, area.y, area.width, area.height);
    display.SetHorizontalAlignment(kAlignCenter);
    display.SetVerticalAlignment(kAlignCenter);
    display.DrawMarkup(text);
}

void QMMainLevel::RenderTopLine()
{
    TextDisplay& display = TextDisplay::Instance();
    if (player) {
        char score[16];
        std::snprintf(score, sizeof score, "%d", player->GetTotalScore());
        display.DrawText(kScoreRight - display.GetTextWidth(score), kTopLineY, score);
    }
    chimney.Draw(board::kChimneyAnim.x, board::kChimneyAnim.y, board::kChimneyAnim.depth);
    forest.Draw(board::kForestAnim.x, board::kForestAnim.y, board::kForestAnim.depth);
    water.Draw(board::kWaterAnim.x, board::kWaterAnim.y, board::kWaterAnim.depth);
}
