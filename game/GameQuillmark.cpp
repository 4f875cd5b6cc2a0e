#include "game/GameQuillmark.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "app/Debug.h"
#include "app/Level.h"
#include "audio/MusicPlayer.h"
#include "audio/SampleManager.h"
#include "audio/SfxLoaderUtil.h"
#include "audio/SoundEngine.h"
#include "audio/SpeechPlayer.h"
#include "audio/StreamingSample.h"
#include "display/DirectDraw.h"
#include "editor/CObjectEditor.h"
#include "frontend/HighscoreManager.h"
#include "frontend/QMCreditsLevel.h"
#include "frontend/QMExitLevel.h"
#include "frontend/QMHelpLevel.h"
#include "frontend/QMHighscoreLevel.h"
#include "frontend/QMMainMenuLevel.h"
#include "game/CharacterSets.h"
#include "game/board/GameMap.h"
#include "game/level/QMMainLevel.h"
#include "game/ObjectSettingsFile.h"
#include "game/VideoShow.h"
#include "params/Cast.h"
#include "params/GameElement.h"
#include "platform/VirtualKeys.h"
#include "render/RenderEngine.h"
#include "settings/SettingsManager.h"
#include "sprites/LoadingScreen.h"
#include "sprites/SpriteLoaderUtil.h"
#include "sprites/SpriteManager.h"
#include "text/FontLoaderUtil.h"
#include "text/TextDisplay.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameState, GameQuillmark);

namespace {

// The exit status of an abnormal termination, as MainProgram ends for an unknown game.
constexpr int kAbnormalTerminationStatus = 3;

constexpr const char* kSpriteDirectory = "data\\shared\\sprites\\";
struct MusicFile {
    const char* name;
    // How the log names it when it is missing.
    const char* shownName;
};

constexpr MusicFile kTitleMusic{"Shared\\Audio\\Ambient\\Titel.ogg", "shared\\Audio\\Ambient\\Titel.ogg"};
// After a video the sample manager completes the name itself.
constexpr MusicFile kTitleMusicWithoutExtension{"Shared\\Audio\\Ambient\\Titel", "shared\\Audio\\Ambient\\Titel"};
// The films keep their names below the data directory, so the archive and an installed game
// carry them like every other data file.
constexpr const char* kFirstFilm = "data\\Movies\\video1.avi";
constexpr const char* kSecondFilm = "data\\Movies\\video2.avi";
constexpr const char* kMainLevelCastName = "Level%02dSettings";
// The editor's folder of created elements; '|' separates folders.
constexpr const char* kElementFolder = "Game Elements|";
constexpr int kFirstSoundLevel = 1;
constexpr int kLastSoundLevel = 2;
constexpr int kSoundGroupSpeech = 3;

struct FontSpec {
    const char* name;
    int spaceWidth;
    int spacing;
    int lineHeight;
};

constexpr FontSpec kSmallFont{"IngameFont_small", 13, -2, 60};
constexpr FontSpec kBigFont{"IngameFont_big", 16, -2, 80};
constexpr FontSpec kBigDigits{"font_ziffern_gross", 0, 0, 4};
constexpr FontSpec kSmallDigits{"font_ziffern_klein", 3, 3, 4};

void LoadFont(const FontSpec& font, const std::string& characterSet)
{
    FontLoaderUtil::Instance().LoadFont(font.name, font.spaceWidth, font.spacing, font.lineHeight, characterSet);
}

void Progress(float p)
{
    LoadingScreen::Instance().Progress(p);
}

std::string Formatted(const char* format, int number)
{
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

[[noreturn]] void TerminateAbnormally()
{
    std::_Exit(kAbnormalTerminationStatus);
}

GameQuillmark::LevelTable MakeGameLevels()
{
    GameQuillmark::LevelTable table;
    table[GameQuillmark::kMainMenuLevel] = std::make_unique<QMMainMenuLevel>();
    table[GameQuillmark::kMainLevel] = std::make_unique<QMMainLevel>();
    table[GameQuillmark::kHighscoreLevel] = std::make_unique<QMHighscoreLevel>();
    table[GameQuillmark::kCreditsLevel] = std::make_unique<QMCreditsLevel>();
    table[GameQuillmark::kExitLevel] = std::make_unique<QMExitLevel>();
    table[GameQuillmark::kHelpLevel] = std::make_unique<QMHelpLevel>();
    return table;
}

}  // namespace

GameQuillmark::GameQuillmark() : GameQuillmark(MakeGameLevels) {}

GameQuillmark::GameQuillmark(LevelMaker maker) : makeLevels(std::move(maker)) {}

GameQuillmark::~GameQuillmark() = default;

Level* GameQuillmark::GetLevel(int number) const
{
    return number >= 0 && number < kLevelSlots ? levels[static_cast<size_t>(number)].get() : nullptr;
}

// ---------------------------------------------------------------- loading

void GameQuillmark::Runonce()
{
    Debug::Instance().Log("Game Runonce\n");
    soundOn = true;
    const bool preload = SettingsManager::Instance().GetBool("preloadData");
    SpriteLoaderUtil::Instance().Load("data\\shared\\loadingSprites.txt", kSpriteDirectory, 0.0f, 0.0f, preload);
    LoadFont(kSmallFont, CharacterSets::Text());
    SpriteManager& sprites = SpriteManager::Instance();
    LoadingScreen::Instance().SetSprites(sprites.GetSprite("loader_back"), sprites.GetSprite("loader_fenno"));
    LoadingScreen::Instance().SetActive(true);
    PrepareSound();
    PrepareHighscores();
    LoadSharedSprites(preload);
    LoadSoundEffects();
    Progress(0.2f);
    LoadLevelSprites(preload);
    LoadFonts();
    CreateLevels();
    LoadSettings(ObjectSettingsFile::kDefaultName);
    Cast::Instance().Dump();
    OpenTitleMusic(kTitleMusic.name, kTitleMusic.shownName);
    Progress(1.0f);
    LoadingScreen::Instance().Finish();
    Debug::Instance().Log("Game RunonceDone\n");
    timeInLevel = 0.0;
    runoncePending = false;
}

void GameQuillmark::PrepareSound()
{
    SoundEngine::Instance().Enable(SampleManager::Instance().IsInitialized());
    Progress(0.1f);
    // Their parameters come from the settings file, so they join the Cast before it is read.
    Cast::Instance().Register(&SoundEngine::Instance(), "Sound Engine", false);
    Cast::Instance().Register(&SampleManager::Instance(), "Sample Manager", false);
}

void GameQuillmark::PrepareHighscores()
{
    HighscoreManager::Instance().SetUpGameTable();
    HighscoreManager::Instance().Load();
}

void GameQuillmark::LoadSharedSprites(bool preload)
{
    if (!SpriteLoaderUtil::Instance().Load("data\\shared\\sprites.txt", kSpriteDirectory, 0.0f, 0.05f, preload)) {
        Debug::Instance().Error("Error loading Sprites\n");
        TerminateAbnormally();
    }
    // Only a full-screen display hides the system cursor and draws this sprite instead; the
    // mode can change at any time, so the sprite is always at hand.
    cursor.SetSpriteLabel("cursor");
}

void GameQuillmark::LoadSoundEffects()
{
    if (!SfxLoaderUtil::LoadSoundEffects("data\\shared\\sfx.txt", "shared\\audio\\sfx\\")) {
        Debug::Instance().Error("Error loading SoundEffects\n");
        TerminateAbnormally();
    }
    for (int level = kFirstSoundLevel; level <= kLastSoundLevel; ++level) {
        if (!SfxLoaderUtil::LoadSoundEffects(Formatted("data\\level%02d\\sfx.txt", level),
                                             Formatted("level%02d\\audio\\sfx\\", level))) {
            Debug::Instance().Warning("DataFile For Level %i not Found", level);
        }
    }
}

void GameQuillmark::LoadLevelSprites(bool preload)
{
    if (!SpriteLoaderUtil::Instance().Load(Formatted("data\\level%02d\\sprites.txt", kMainLevel),
                                           Formatted("data\\level%02d\\sprites\\", kMainLevel), 0.2f, 0.85f,
                                           preload)) {
        Debug::Instance().Warning("DataFile For Level %i not Found", kMainLevel);
    }
    Progress(0.91f);
}

void GameQuillmark::LoadFonts()
{
    LoadFont(kBigFont, CharacterSets::Text());
    Progress(0.93f);
    LoadFont(kBigDigits, CharacterSets::Digits());
    Progress(0.96f);
    LoadFont(kSmallDigits, CharacterSets::Digits());
    Progress(0.98f);
}

void GameQuillmark::CreateLevels()
{
    levels = makeLevels();
    for (auto& level : levels) {
        if (level) {
            level->Init(this);
        }
    }
    Level* mainLevel = GetLevel(kMainLevel);
    // Figures and items reach the board game through the board map.
    GameMap::Instance().SetLevel(dynamic_cast<QMMainLevel*>(mainLevel));
    // The main level's parameters live in the settings file under this name.
    if (mainLevel) {
        Cast::Instance().Register(mainLevel, Formatted(kMainLevelCastName, kMainLevel), false);
    }
}

void GameQuillmark::LoadSettings(const std::string& name)
{
    ObjectSettingsFile::Load(name, [this](const std::string& className, const std::string& objectName) {
        // The file is data: a class this build lacks is logged and skipped rather than
        // stopping the loading with one message box per block.
        if (!Factory<GameElement>::Knows(className)) {
            Debug::Instance().Warning("GameQuillmark::LoadSettings: Unknown class <%s> of <%s>, block skipped\n",
                                      className.c_str(), objectName.c_str());
            return;
        }
        CreateGameElement(className, objectName, false);
    });
}

void GameQuillmark::SaveSettings(const std::string& name)
{
    if (ObjectSettingsFile::Save(name, removedNames)) {
        removedNames.clear();
    }
}

GameElement* GameQuillmark::CreateGameElement(const std::string& className, const std::string& name, bool unlisted)
{
    // An unknown class has been reported by the factory; the game goes on without it.
    std::unique_ptr<GameElement> element = Factory<GameElement>::Create(className);
    if (!element) {
        return nullptr;
    }
    GameElement* created = element.get();
    elements.push_back(std::move(element));
    if (!unlisted) {
        Cast& cast = Cast::Instance();
        std::string memberName = name.empty() ? cast.MakeUniqueName(kElementFolder + className + "_") : name;
        cast.Register(created, memberName, true);
    }
    return created;
}

// ---------------------------------------------------------------- music and videos

void GameQuillmark::OpenTitleMusic(const char* fileName, const char* shownName)
{
    CloseTitleMusic();
    titleMusic = SoundEngine::Instance().OpenMusic(fileName);
    if (!titleMusic) {
        Debug::Instance().Error("Could not find AudioStream for main Menu %s\n", shownName);
        return;
    }
    titleMusic->SetVolume(kTitleMusicVolume);
}

void GameQuillmark::CloseTitleMusic()
{
    if (titleMusic) {
        titleMusic->Stop();
        SoundEngine::Instance().DestroyStream(titleMusic);
        titleMusic = nullptr;
    }
}

void GameQuillmark::ApplyTitleMusicRule(int level)
{
    if (!titleMusic) {
        return;
    }
    if (level == kMainLevel || level == kUnusedLevel) {
        if (titleMusic->IsPlaying()) {
            titleMusic->Stop();
        }
    } else if (!titleMusic->IsPlaying()) {
        titleMusic->Rewind();
        titleMusic->PlayLooping();
    }
}

int GameQuillmark::PlayVideoLevel(int level)
{
    CloseTitleMusic();
    PlayVideo(level == kFirstVideoLevel ? kFirstFilm : kSecondFilm);
    // A film at the first start comes before anything is loaded; Runonce loads the effects and
    // opens the music then, and loading them here as well would register every effect twice.
    if (!runoncePending) {
        LoadSoundEffects();
        OpenTitleMusic(kTitleMusicWithoutExtension.name, kTitleMusicWithoutExtension.shownName);
    }
    return kHighscoreLevel;
}

void GameQuillmark::PlayVideo(const std::string& fileName)
{
    // The video needs the audio device: every sound stops and the device is closed meanwhile.
    SampleManager& samples = SampleManager::Instance();
    const bool soundWasReady = samples.IsInitialized();
    SpeechPlayer::Instance().Stop();
    MusicPlayer::Instance().Stop();
    samples.Shutdown();
    if (!fileName.empty()) {
        // The presenter scales any frame to the window, so the film needs no mode of its own.
        VideoShow::Play(fileName);
    }
    if (soundWasReady) {
        samples.Init();
    }
}

// ---------------------------------------------------------------- level switching

void GameQuillmark::Init(int level)
{
    timeInLevel = 0.0;
    if (level == kFirstVideoLevel || level == kSecondVideoLevel) {
        level = PlayVideoLevel(level);
    }
    Debug::Instance().Log("\n\nGame Init, Active Level: %d\n", level);
    if (runoncePending) {
        Runonce();
    }
    if (level >= kFirstInvalidLevel || level < 0) {
        Debug::Instance().Error("GameQuillmark::Init: Unknown Level-Number(%d)!\n", level);
        TerminateAbnormally();
    }
    Level* next = GetLevel(level);
    if (!next) {
        Debug::Instance().Error("GameQuillmark::Init: There is no level %d, staying on level %d!\n", level,
                                levelNumber);
        // A start on a missing level would leave a window that never becomes ready.
        if (!activeLevel && level != kMainMenuLevel) {
            Init(kMainMenuLevel);
        }
        return;
    }
    levelNumber = level;
    ApplyTitleMusicRule(level);
    activeLevel = next;
    activeLevel->Activate();
    LoadingScreen::Instance().Finish();
    ready = true;
    Debug::Instance().Log("Game Init Done\n");
}

void GameQuillmark::Exit()
{
    Debug::Instance().Log("Game Exit\n");
    CloseTitleMusic();
    for (auto& level : levels) {
        if (level) {
            level->Exit();
            level.reset();
        }
    }
    activeLevel = nullptr;
    elements.clear();
    RenderEngine::Instance().Clear();
    SpeechPlayer::Instance().Stop();
    MusicPlayer::Instance().SetStream(nullptr);
    SoundEngine::Instance().DestroyAll();
    SampleManager& samples = SampleManager::Instance();
    if (samples.IsInitialized()) {
        samples.Shutdown();
        samples.Init();
    }
    editorDialog.reset();
    // Dropping the text display drops every font with it.
    TextDisplay::Release();
    Cast::Instance().Clear();
    SpriteManager::Instance().ReleaseAll();
    ready = false;
    Debug::Instance().Log("Game Exit Done\n");
}

// ---------------------------------------------------------------- frames

void GameQuillmark::Update(float dt)
{
    if (!ready) {
        return;
    }
    timeInLevel += dt;
    SoundEngine::Instance().Update(dt);
    MusicPlayer::Instance().Update(dt);
    SpeechPlayer::Instance().Update(dt);
    activeLevel->Update(dt);
}

void GameQuillmark::Render()
{
    if (!ready) {
        return;
    }
    RenderEngine& renderEngine = RenderEngine::Instance();
    renderEngine.Clear();
    // The board game has no mouse pointer; in a window the system's cursor shows.
    if (levelNumber != kMainLevel && levelNumber != kUnusedLevel && DirectDraw::Instance().IsFullScreen()) {
        cursor.Draw(mouseX, mouseY, RenderEngine::kCursorDepth);
    }
    activeLevel->Render();
    // A frame that repeats the last one would change no pixel: it is neither drawn nor shown
    // again, unless the window lost its picture.
    bool repeated = renderEngine.RepeatsLastFrame();
    if (!repeated) {
        renderEngine.Flush();
    }
    // The editor's windows move on while the game stands still.
    bool editorDrawn = editorDialog && editorDialog->DrawFrame();
    SpriteManager::Instance().RestoreIfNeeded();
    DirectDraw& display = DirectDraw::Instance();
    if (!repeated || display.NeedsRepaint() || editorDrawn) {
        display.Present();
    }
}

// ---------------------------------------------------------------- input

void GameQuillmark::KeyDown(int key)
{
    if (ready) {
        activeLevel->KeyDown(key);
    }
}

void GameQuillmark::KeyUp(int key)
{
    if (!ready) {
        return;
    }
    activeLevel->KeyUp(key);
    if (timeInLevel > kGlobalKeyGuardSeconds) {
        HandleGlobalKey(key);
    }
}

void GameQuillmark::Char(int code)
{
    if (ready) {
        activeLevel->Char(code);
    }
}

void GameQuillmark::MouseButtonDown(int x, int y, bool doubleClick)
{
    if (ready) {
        activeLevel->MouseButtonDown(x, y, doubleClick);
    }
}

void GameQuillmark::LeftButtonUp(int x, int y)
{
    if (ready) {
        activeLevel->LeftButtonUp(x, y);
    }
}

void GameQuillmark::RightButtonDown(int x, int y)
{
    if (ready) {
        activeLevel->RightButtonDown(x, y);
    }
}

void GameQuillmark::RightButtonUp(int x, int y)
{
    if (ready) {
        activeLevel->RightButtonUp(x, y);
    }
}

void GameQuillmark::MouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (ready) {
        activeLevel->MouseMove(x, y);
    }
}

void GameQuillmark::HandleGlobalKey(int key)
{
    if (key == vk::kEscape) {
        LeaveWithEscape();
    } else if (key == kMuteKey && !(levelNumber == kHighscoreLevel && IsNameEntryActive())) {
        ToggleSound();
    }
}

void GameQuillmark::LeaveWithEscape()
{
    switch (levelNumber) {
    case kMainMenuLevel:
        Init(kExitLevel);
        break;
    case kHighscoreLevel:
        if (QMHighscoreLevel* highscores = HighscoreLevel()) {
            highscores->CommitAndSave();
        }
        Init(kMainMenuLevel);
        break;
    case kCreditsLevel:
    case kHelpLevel:
        Init(kMainMenuLevel);
        break;
    default:
        // The board game and the exit screen handle Escape themselves.
        break;
    }
}

void GameQuillmark::ToggleSound()
{
    SoundEngine& engine = SoundEngine::Instance();
    const float mute = soundOn ? 1.0f : 0.0f;
    engine.SetGroupMute(kSoundGroupSpeech, mute);
    engine.SetGroupMute(SoundEngine::kMusicGroup, mute);
    engine.ApplyVolumes();
    soundOn = !soundOn;
}

QMHighscoreLevel* GameQuillmark::HighscoreLevel() const
{
    return dynamic_cast<QMHighscoreLevel*>(GetLevel(kHighscoreLevel));
}

bool GameQuillmark::IsNameEntryActive() const
{
    const QMHighscoreLevel* highscores = HighscoreLevel();
    return highscores && highscores->IsEntryInProgress();
}

// ---------------------------------------------------------------- debug commands

int GameQuillmark::DebugCommand(const std::string& command, int, int)
{
    static const std::string kCreateElement = "create game element ";
    if (command == "print flags") {
        Debug::Instance().Log("--- Flags Disabled ! ---\n");
    } else if (command == "load settings") {
        LoadSettings(ObjectSettingsFile::kDefaultName);
    } else if (command == "save settings") {
        SaveSettings(ObjectSettingsFile::kDefaultName);
    } else if (command.compare(0, kCreateElement.size(), kCreateElement) == 0) {
        // The class name travels in the command: the two numbers cannot carry text.
        CreateGameElement(command.substr(kCreateElement.size()), std::string(), false);
    } else if (command == "reset" && activeLevel) {
        activeLevel->Activate();
    } else {
        EditorCommand(command);
    }
    return 0;
}

// The editor's tree commands carry their names after the command word, a second name after a
// tab.
bool GameQuillmark::EditorCommand(const std::string& command)
{
    auto argument = [&command](const std::string& word) {
        return command.compare(0, word.size(), word) == 0 ? std::optional(command.substr(word.size()))
                                                           : std::nullopt;
    };
    auto split = [](const std::string& text) {
        size_t tab = text.find('\t');
        return tab == std::string::npos ? std::pair(text, std::string()) : std::pair(text.substr(0, tab), text.substr(tab + 1));
    };
    if (command == "show objectsettings") {
        ShowEditor();
    } else if (auto name = argument("delete object ")) {
        DeleteElement(*name);
    } else if (auto names = argument("rename object ")) {
        auto [from, to] = split(*names);
        RenameElement(from, to);
    } else if (auto folders = argument("rename folder ")) {
        auto [from, to] = split(*folders);
        RenameFolder(from, to);
    } else if (auto selected = argument("select gameelement ")) {
        if (editorDialog) {
            editorDialog->Select(*selected);
        }
    } else {
        return false;
    }
    return true;
}

// Only in a window: full screen shows no editor.
void GameQuillmark::ShowEditor()
{
    if (DirectDraw::Instance().IsFullScreen()) {
        return;
    }
    if (!editorDialog) {
        editorDialog = std::make_unique<CObjectEditor>(*this);
    }
    editorDialog->ShowBrowser();
}

bool GameQuillmark::IsElement(const std::string& name) const
{
    const std::vector<Cast::Member>& members = Cast::Instance().Members();
    auto member = std::find_if(members.begin(), members.end(), [&name](const Cast::Member& m) { return m.name == name; });
    return member != members.end() && member->dynamic &&
           std::any_of(elements.begin(), elements.end(),
                       [&member](const std::unique_ptr<GameElement>& element) { return element.get() == member->object; });
}

// A level may hold the element (an item prototype in its spawn table): the level forgets it
// when it is next activated; until then it stays alive, out of the Cast.
void GameQuillmark::DeleteElement(const std::string& name)
{
    if (!IsElement(name)) {
        Debug::Instance().Warning("only game elements!\n");
        return;
    }
    Object* object = Cast::Instance().Find(name);
    Cast::Instance().Remove(object);
    removedNames.insert(name);
    Debug::Instance().Log("GameQuillmark: deleted <%s>\n", name.c_str());
}

void GameQuillmark::RenameElement(const std::string& from, const std::string& to)
{
    if (!IsElement(from)) {
        Debug::Instance().Warning("only game elements!\n");
        return;
    }
    if (to.empty() || !Cast::Instance().Rename(from, to)) {
        Debug::Instance().Warning("GameQuillmark: <%s> cannot be called <%s>\n", from.c_str(), to.c_str());
        return;
    }
    removedNames.insert(from);
}

// Every game element in the folder (or below it) moves; the program's own objects keep their
// names, by which the program finds them.
void GameQuillmark::RenameFolder(const std::string& from, const std::string& to)
{
    const std::string prefix = from + "|";
    std::vector<std::string> moving;
    for (const Cast::Member& member : Cast::Instance().Members()) {
        if (member.name.compare(0, prefix.size(), prefix) == 0 && IsElement(member.name)) {
            moving.push_back(member.name);
        }
    }
    for (const std::string& name : moving) {
        RenameElement(name, to + "|" + name.substr(prefix.size()));
    }
}
