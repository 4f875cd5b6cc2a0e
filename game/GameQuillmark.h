#pragma once

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/GameState.h"
#include "render/Animation.h"

class CObjectEditor;
class GameElement;
class Level;
class QMHighscoreLevel;
class StreamingSample;

// The game: creates its levels, loads everything once behind the loading screen, switches
// levels by number, plays the title music on the menu screens, forwards frames and input to
// the active level and handles the global keys Escape and M.
class GameQuillmark : public GameState {
public:
    static constexpr int kLevelSlots = 10;
    static constexpr int kMainMenuLevel = 0;
    static constexpr int kMainLevel = 1;
    static constexpr int kUnusedLevel = 2;
    static constexpr int kHighscoreLevel = 3;
    static constexpr int kCreditsLevel = 4;
    static constexpr int kExitLevel = 5;
    static constexpr int kHelpLevel = 6;
    // Levels from here on do not exist; 8 and 9 are videos before the highscores.
    static constexpr int kFirstInvalidLevel = 7;
    static constexpr int kFirstVideoLevel = 8;
    static constexpr int kSecondVideoLevel = 9;
    // The global keys stay quiet this long after a switch, so the key that caused it does not
    // act again on the new level.
    static constexpr double kGlobalKeyGuardSeconds = 0.8;
    static constexpr int kMuteKey = 0x4D;
    static constexpr float kTitleMusicVolume = 0.3f;

    using LevelTable = std::array<std::unique_ptr<Level>, kLevelSlots>;
    using LevelMaker = std::function<LevelTable()>;

    // The game's own levels.
    GameQuillmark();
    // Levels from makeLevels instead (tests).
    explicit GameQuillmark(LevelMaker makeLevels);
    ~GameQuillmark() override;

    void Init(int level) override;
    void Exit() override;
    void Update(float dt) override;
    void Render() override;

    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Char(int code) override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void LeftButtonUp(int x, int y) override;
    void RightButtonDown(int x, int y) override;
    void RightButtonUp(int x, int y) override;
    void MouseMove(int x, int y) override;
    int DebugCommand(const std::string& command, int a, int b) override;

    void Runonce();
    void LoadSoundEffects();
    void LoadSettings(const std::string& name);
    void SaveSettings(const std::string& name);
    // Creates an element by class name and keeps it; unless unlisted, it joins the Cast as
    // dynamic under name (or a generated one). Null when the class is unknown.
    GameElement* CreateGameElement(const std::string& className, const std::string& name, bool unlisted);
    void PlayVideo(const std::string& fileName);

    int GetLevelNumber() const { return levelNumber; }
    Level* GetActiveLevel() const { return activeLevel; }
    Level* GetLevel(int number) const;
    bool IsSoundOn() const { return soundOn; }
    double GetTimeInLevel() const { return timeInLevel; }
    StreamingSample* GetTitleMusic() const { return titleMusic; }
    const std::vector<std::unique_ptr<GameElement>>& GetElements() const { return elements; }
    // The object editor once "show objectsettings" opened it in a window; null before.
    CObjectEditor* GetEditor() const { return editorDialog.get(); }

private:
    void LoadSharedSprites(bool preload);
    void LoadFonts();
    void PrepareSound();
    void PrepareHighscores();
    void CreateLevels();
    void LoadLevelSprites(bool preload);
    int PlayVideoLevel(int level);
    void OpenTitleMusic(const char* fileName, const char* shownName);
    void CloseTitleMusic();
    void ApplyTitleMusicRule(int level);
    void HandleGlobalKey(int key);
    void LeaveWithEscape();
    void ToggleSound();
    QMHighscoreLevel* HighscoreLevel() const;
    bool EditorCommand(const std::string& command);
    void ShowEditor();
    void DeleteElement(const std::string& name);
    void RenameElement(const std::string& from, const std::string& to);
    void RenameFolder(const std::string& from, const std::string& to);
    bool IsElement(const std::string& name) const;
    bool IsNameEntryActive() const;

    LevelMaker makeLevels;
    int levelNumber = -1;
    std::vector<std::unique_ptr<GameElement>> elements;
    int mouseX = 400;
    int mouseY = 300;
    Level* activeLevel = nullptr;
    LevelTable levels;
    bool soundOn = true;
    bool runoncePending = true;
    StreamingSample* titleMusic = nullptr;
    double timeInLevel = 0.0;
    Animation cursor;
    std::unique_ptr<CObjectEditor> editorDialog;
    // Names whose blocks the next save leaves out of the settings file: deleted or renamed.
    std::set<std::string> removedNames;
};
