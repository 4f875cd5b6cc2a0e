#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/level/QMLevel.h"
#include "game/level/StaticPicture.h"
#include "render/Animation.h"
#include "text/TextRect.h"

class BonusItem;
class DwarfModel;
class GameState;
class QuitQuestion;

// The board game: rounds against the clock in which the player's dwarf must score at least
// as many hits as the best rival dwarf; each won round brings one more knight, until the game
// is won or a round is lost. The points then go to the highscore level.
class QMMainLevel : public QMLevel {
public:
    enum LevelState : int {
        kIdle = 0,
        kPlaying = 1,
        kPaused = 2,
        kBetweenRounds = 3,
        kConfirmQuit = 4,
        kFinalScreen = 5,
        kFinalFanfare = 6,
    };
    // The round in which the counter reaches this value decides the game.
    static constexpr int kLastRoundCounter = 4;
    static constexpr float kBetweenRoundsSeconds = 6.0f;
    // Between rounds the countdown shows, and ticks, below this.
    static constexpr float kCountdownSeconds = 4.0f;
    // In a round the clock ticks for the last seconds.
    static constexpr float kRoundTickSeconds = 6.0f;
    static constexpr float kFanfareSeconds = 4.0f;
    static constexpr float kFinalScreenSeconds = 7.0f;
    static constexpr int kMenuLevel = 0;
    static constexpr int kHighscoreLevel = 3;
    static constexpr const char* kRoundEndFile = "data\\Level01\\RoundEnd.txt";
    static constexpr const char* kLevelEndFile = "data\\Level01\\LevelEnd.txt";
    static constexpr const char* kJesterName = "Jester";
    static constexpr const char* kHunterName = "Hunter";
    static constexpr const char* kQueenName = "Queen";

    QMMainLevel();
    ~QMMainLevel() override;

    bool Init(GameState* owner) override;
    void Exit() override;
    void Activate() override;
    void Update(float dtSeconds) override;
    void Render() override;
    void KeyUp(int key) override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void LeftButtonUp(int x, int y) override;
    void MouseMove(int x, int y) override;
    void Parameters(Serializer& serializer, const std::string& name) override;

    DwarfModel* GetPlayer() const { return player; }
    GameState* GetGame() const { return game; }
    int GetState() const { return state; }
    float GetTimer() const { return timer; }
    int GetRoundCounter() const { return roundCounter; }
    bool HasWon() const { return won; }
    const std::vector<BonusItem*>& GetSpawnTable() const { return spawnTable; }
    const std::vector<std::string>& GetRoundEndTexts() const { return roundEndTexts; }
    const std::vector<std::string>& GetLevelEndTexts() const { return levelEndTexts; }
    // The text of the between-rounds or final screen; empty when its list is.
    const std::string& ChosenText() const;
    float GetRoundLength() const { return roundLength; }
    void SetRoundLength(float seconds) { roundLength = seconds; }
    float GetItemProbability() const { return itemProbability; }
    void SetItemProbability(float chance) { itemProbability = chance; }
    int GetDwarfCount() const { return nDwarfs; }
    void SetDwarfCount(int count) { nDwarfs = count; }
    // The round of the game, 1 for the first.
    int GetRoundNumber() const { return roundCounter - nDwarfs + 1; }
    bool IsQueenOnThrone() const { return queenOnThrone; }
    int GetHunterFromRound() const { return hunterFromRound; }

private:
    void CreateStaticPictures();
    void LoadBackgroundAnimations();
    void CollectDwarfs();
    void BuildSpawnTable();
    void OpenStreams();
    void ResetRound();
    // The queen and the hunter as the switches call them for this round, reset.
    void CallCourt();
    void UpdateConfirmQuit(float dtSeconds);
    void UpdateBetweenRounds(float dtSeconds);
    void UpdateFinalFanfare(float dtSeconds);
    void UpdateFinalScreen(float dtSeconds);
    void UpdatePlaying(float dtSeconds);
    void RollForItem();
    void SortFigures();
    void TickClock(float below);
    void EndRound();
    void StartFanfare();
    void LeaveTo(int level);
    void EmptyLists();
    void StopFigureSounds();
    void StopAllSounds();
    void CloseStreams();
    void RenderScene();
    void RenderClockAndTexts();
    void RenderPausedText();
    void RenderScreenText(const std::string& text, const TextRect& area);
    void RenderTopLine();
    static void PlayEvent(const char* eventName);
    static void ReadTextList(const char* fileName, std::vector<std::string>& texts);

    DwarfModel* player = nullptr;
    GameElement* jester = nullptr;
    // The queen and the hunter, when the switches call them in this round; null otherwise.
    GameElement* queen = nullptr;
    GameElement* hunter = nullptr;
    GameState* game = nullptr;
    int state = kIdle;
    std::unique_ptr<QuitQuestion> quitDialog;
    std::vector<StaticPicture> staticPictures;
    std::vector<BonusItem*> spawnTable;
    Animation chimney;
    Animation water;
    Animation forest;
    // Drawn over the quit question in full screen, where the system cursor is hidden.
    Animation cursor;
    bool initialised = false;
    float timer = 0.0f;
    int roundCounter = 0;
    BoardPoint knightsOccurrence;
    float itemProbability = 0.003f;
    float roundLength = 15.0f;
    std::vector<std::string> roundEndTexts;
    std::vector<std::string> levelEndTexts;
    int textIndex = 0;
    bool won = false;
    // The whole second at which the clock last ticked.
    int lastTick = -1;
    // Activate found no player's dwarf: the next update goes back to the menu.
    bool leaveForMenu = false;
    int mouseX = 0;
    int mouseY = 0;
    // "Queen on Throne" and "Hunter from Round" (0: never). Off, the board plays without them.
    bool queenOnThrone = false;
    int hunterFromRound = 0;
};
