#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Level.h"
#include "frontend/MenuButton.h"

class GameState;
class Sprite;

// The base of the menu screens: a full-screen background and a list of buttons that get the
// mouse input in list order. Subclasses take their background and build their buttons in Init,
// after the base Init has kept the game.
//
// The keyboard (and so a pad) works the buttons too: the arrow keys move a highlight through
// the list, left and up back, right and down on, round at the ends; Enter or Space presses the
// highlighted button and the key's release clicks it. Nothing is highlighted before the first
// arrow key, and the pointer moving over a button takes the highlight there. A pointer reported
// again where the menus last saw it (the window changed, the mouse did not) leaves the keys'
// highlight alone. A button without a picture cannot be seen and is passed over.
class QMMenuLevel : public Level {
public:
    static constexpr float kBackgroundDepth = 0.0f;
    static constexpr int kBackgroundFrame = 1;
    static constexpr int kNoHighlight = -1;

    QMMenuLevel();
    ~QMMenuLevel() override;

    bool Init(GameState* game) override;
    void Exit() override;
    void Activate() override;
    void Update(float dtSeconds) override;
    void Render() override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void LeftButtonUp(int x, int y) override;
    void MouseMove(int x, int y) override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;

    void Parameters(Serializer& serializer, const std::string& name) override;

    GameState* GetGame() const { return game; }
    Sprite* GetBackground() const { return background; }
    const std::vector<std::unique_ptr<MenuButton>>& GetButtons() const { return buttons; }
    int GetHighlighted() const { return highlighted; }

protected:
    // Null (and the sprite manager's log line) when the sprite is missing: nothing is drawn.
    void SetBackground(const std::string& label);
    MenuButton& AddButton(std::unique_ptr<MenuButton> button);
    // An OnceOverMenuButton that switches the game to the level.
    MenuButton& AddLevelButton(const std::string& spriteName, int x, int y, float flashTimeSeconds,
                               int level);
    void UpdateButtons(float dtSeconds);
    // Also forgets the highlight.
    void ResetButtons();
    // False for a key the buttons leave alone: not an arrow (or no button to highlight), or
    // Enter or Space with nothing highlighted.
    bool NavigateKeyDown(int key);
    bool NavigateKeyUp(int key);
    bool AnyButtonClicked() const;

private:
    void MoveHighlight(int step);
    int NextWithPicture(int from, int step) const;
    MenuButton* HighlightedButton() const;
    bool KeysHoldHighlight() const;
    int HoveredButton() const;

    int highlighted = kNoHighlight;
    bool pressedByKey = false;
    Sprite* background = nullptr;
    GameState* game = nullptr;
    std::vector<std::unique_ptr<MenuButton>> buttons;
};
