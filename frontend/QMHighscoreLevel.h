#pragma once

#include "frontend/NameEntryField.h"
#include "frontend/QMMenuLevel.h"

class HighscoreTable;

// The highscore screen. It shows the game's table; when the game just played left a result
// good enough for it, the result gets a row with an empty name and the player types the name
// into that row. The file is saved by CommitAndSave: on a mouse press here, when the game
// leaves the screen with Escape, when Enter ends the entry, and when the program ends while
// the name is still being typed.
class QMHighscoreLevel : public QMMenuLevel {
public:
    static constexpr int kNoEntry = -1;
    static constexpr int kRequestedTableSize = 10;
    static constexpr int kNameWidthPixels = 500;
    static constexpr const char* kFontName = "IngameFont_big";

    QMHighscoreLevel();

    bool Init(GameState* game) override;
    void Exit() override;
    void Activate() override;
    void Update(float dtSeconds) override;
    void Render() override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;

    bool IsEntryInProgress() const { return entryIndex != kNoEntry; }
    // The row being entered takes the name typed so far; then the table is saved.
    void CommitAndSave();
    int GetEntryIndex() const { return entryIndex; }
    NameEntryField& GetNameField() { return nameField; }

private:
    void OfferResult();
    void UpdateEntry(float dtSeconds);
    void EndEntry();
    void RenderRows() const;

    HighscoreTable* table = nullptr;
    NameEntryField nameField;
    int entryIndex = kNoEntry;
};
