#include "frontend/QMHighscoreLevel.h"

#include <string>

#include "app/Debug.h"
#include "frontend/HighscoreManager.h"
#include "frontend/HighscoreTable.h"
#include "platform/GamePadHooks.h"
#include "platform/VirtualKeys.h"
#include "sprites/Sprite.h"
#include "text/TextDisplay.h"

namespace {

constexpr float kButtonFlashSeconds = 0.3f;
constexpr int kMainLevel = 1;
constexpr int kMainMenuLevel = 0;

// Rows of the table on the background picture.
constexpr int kFirstRowY = 95;
constexpr int kRowHeight = 65;
constexpr int kNameX = 150;
constexpr int kScoreRightX = 874;

}  // namespace

QMHighscoreLevel::QMHighscoreLevel() : nameField(kFontName, kNameWidthPixels)
{
}

bool QMHighscoreLevel::Init(GameState* owningGame)
{
    Debug::Instance().Log("Highscore Init\n");
    QMMenuLevel::Init(owningGame);
    table = &HighscoreManager::Instance().GetTable(HighscoreManager::kGameTableId, kRequestedTableSize);
    SetBackground("HighscoreBackground");
    AddLevelButton("StartGameButton", 25, 689, kButtonFlashSeconds, kMainLevel);
    AddLevelButton("MainMenuButton", 785, 680, kButtonFlashSeconds, kMainMenuLevel);
    Debug::Instance().Log("MainMenu Init Done\n");
    return true;
}

void QMHighscoreLevel::Exit()
{
    Debug::Instance().Log("QMHighscoreLevel EXIT");
    // The program's end passes here (window closed, F12, exit screen): a name being typed is kept.
    if (IsEntryInProgress()) {
        EndEntry();
    }
    QMMenuLevel::Exit();
}

void QMHighscoreLevel::Activate()
{
    Debug::Instance().Log("MainMenu Reset\n");
    ResetButtons();
    SetEntryIndex(kNoEntry);
    Debug::Instance().Log("MainMenu Reset Done\n");
}

void QMHighscoreLevel::Update(float dtSeconds)
{
    UpdateButtons(dtSeconds);
    if (IsEntryInProgress()) {
        UpdateEntry(dtSeconds);
    } else {
        OfferResult();
    }
}

void QMHighscoreLevel::OfferResult()
{
    HighscoreManager& manager = HighscoreManager::Instance();
    int32_t score = manager.ResultScore();
    if (table && score >= 0 && table->Qualifies(score)) {
        SetEntryIndex(table->Insert("", score));
        nameField.Reset();
    }
    // A result is offered once only.
    manager.SetResultScore(HighscoreManager::kNoResult);
}

void QMHighscoreLevel::UpdateEntry(float dtSeconds)
{
    if (nameField.Update(dtSeconds)) {
        EndEntry();
    }
}

// Saved at once, so that nothing typed is lost when the window is closed afterwards.
void QMHighscoreLevel::EndEntry()
{
    CommitAndSave();
    SetEntryIndex(kNoEntry);
}

void QMHighscoreLevel::SetEntryIndex(int index)
{
    entryIndex = index;
    platform::SetGamePadTextEntry(IsEntryInProgress());
}

void QMHighscoreLevel::Render()
{
    if (Sprite* picture = GetBackground()) {
        picture->Draw(0, 0, kBackgroundFrame, kBackgroundDepth);
    }
    RenderRows();
    for (const auto& button : GetButtons()) {
        button->Render();
    }
}

void QMHighscoreLevel::RenderRows() const
{
    if (!table) {
        return;
    }
    TextDisplay& text = TextDisplay::Instance();
    text.PushFont();
    text.SetFont(kFontName);
    for (int row = 0; row < table->Size(); ++row) {
        int y = kFirstRowY + kRowHeight * row;
        bool entering = row == entryIndex;
        text.DrawText(kNameX, y, entering ? nameField.DisplayText() : table->Name(row));
        std::string score = std::to_string(table->Score(row));
        text.DrawText(kScoreRightX - text.GetTextWidth(score), y, score);
    }
    text.PopFont();
}

void QMHighscoreLevel::MouseButtonDown(int x, int y, bool doubleClick)
{
    QMMenuLevel::MouseButtonDown(x, y, doubleClick);
    CommitAndSave();
}

void QMHighscoreLevel::CommitAndSave()
{
    if (IsEntryInProgress() && table) {
        table->SetName(entryIndex, nameField.Text());
    }
    HighscoreManager::Instance().Save();
}

void QMHighscoreLevel::LeftButtonUp(int x, int y)
{
    QMMenuLevel::LeftButtonUp(x, y);
    // Both buttons leave the screen.
    if (IsEntryInProgress() && AnyButtonClicked()) {
        EndEntry();
    }
}

void QMHighscoreLevel::KeyDown(int key)
{
    if (!IsEntryInProgress()) {
        NavigateKeyDown(key);
    }
}

void QMHighscoreLevel::KeyUp(int key)
{
    if (!IsEntryInProgress()) {
        NavigateKeyUp(key);
    } else if (key == vk::kEscape) {
        // Escape ends the typing; the game may also leave the screen with it right after.
        EndEntry();
    }
}
