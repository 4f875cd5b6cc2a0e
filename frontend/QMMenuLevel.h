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
class QMMenuLevel : public Level {
public:
    static constexpr float kBackgroundDepth = 0.0f;
    static constexpr int kBackgroundFrame = 1;

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

    void Parameters(Serializer& serializer, const std::string& name) override;

    GameState* GetGame() const { return game; }
    Sprite* GetBackground() const { return background; }
    const std::vector<std::unique_ptr<MenuButton>>& GetButtons() const { return buttons; }

protected:
    // Null (and the sprite manager's log line) when the sprite is missing: nothing is drawn.
    void SetBackground(const std::string& label);
    MenuButton& AddButton(std::unique_ptr<MenuButton> button);
    // An OnceOverMenuButton that switches the game to the level.
    MenuButton& AddLevelButton(const std::string& spriteName, int x, int y, float flashTimeSeconds,
                               int level);
    void UpdateButtons(float dtSeconds);
    void ResetButtons();

private:
    Sprite* background = nullptr;
    GameState* game = nullptr;
    std::vector<std::unique_ptr<MenuButton>> buttons;
};
