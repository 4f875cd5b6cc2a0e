#pragma once

#include "frontend/NameEntryField.h"
#include "frontend/QMMenuLevel.h"

class HighscoreTable;

// The highscore screen. It shows the game's table; when the game just played left a result
// good enough for it, the result gets a row with an empty name and the player types the name
// into that row. The file is saved by CommitAndSave: on a mouse press here, when the game
// leaves the screen with Escape, when Enter ends the entry, and when the program ends while
// the name is still being typed. Leaving the screen ends the entry. While a name is typed the
// keys type it and do not move through the buttons, and a pad's face button gives Enter.
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
    void LeftButtonUp(int x, int y) override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;

    bool IsEntryInProgress() const { return entryIndex != kNoEntry; }
    // The row being entered takes the name typed so far; then the table is saved.
    void CommitAndSave();
    int GetEntryIndex() const { return entryIndex; }
    NameEntryField& GetNameField() { return nameField; }

private:
    void OfferResult();
    void UpdateEntry(float dtSeconds);
    void EndEntry();
    void SetEntryIndex(int index);
    void RenderRows() const;

    HighscoreTable* table = nullptr;
    NameEntryField nameField;
    int entryIndex = kNoEntry;
};
