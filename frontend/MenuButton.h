#pragma once

#include <memory>
#include <string>

#include "frontend/ButtonAction.h"

class Sprite;

// A clickable picture of a menu screen. Its sprite holds one frame per state (normal, hovered,
// pressed); the hit box is the sprite's picture cell at (x, y). A missing sprite leaves an
// empty box: the button draws nothing and can never be hovered.
//
// Behaviour (the pointer is tested only on moves, never on press or release):
//
//   event            | state before | pointer   | state after | clicked | action
//   -----------------+--------------+-----------+-------------+---------+---------
//   MouseMove        | 0            | inside    | 1           | cleared |
//   MouseMove        | 1 or 2       | inside    | unchanged   | cleared |
//   MouseMove        | any          | outside   | 0           | cleared |
//   MouseButtonDown  | 1            | -         | 2           | cleared |
//   MouseButtonDown  | 0 or 2       | -         | unchanged   | cleared |
//   LeftButtonUp     | 2            | -         | 2           | set     | Execute
//   LeftButtonUp     | 0 or 1       | -         | unchanged   | cleared |
//
// So press, move off (state 0) and release does nothing; only a press and a release with no
// move off in between runs the action.
//
// The keyboard highlights a button as the pointer hovers it (Highlight) and clicks it with a
// press and a release at the button itself. A press anywhere else, or the pointer moving off,
// ends that highlight, so a click goes to the button under the pointer only.
class MenuButton {
public:
    enum State : int {
        kNormal = 0,
        kHovered = 1,
        kPressed = 2,
    };
    static constexpr float kDepth = 10.0f;

    // The two sound names are kept for the data but never played.
    MenuButton(const std::string& spriteName, int x, int y, const std::string& firstSound,
               const std::string& secondSound);
    virtual ~MenuButton();
    MenuButton(const MenuButton&) = delete;
    MenuButton& operator=(const MenuButton&) = delete;

    virtual void Render();
    virtual void MouseButtonDown(int x, int y, bool doubleClick);
    virtual void LeftButtonUp(int x, int y);
    virtual void MouseMove(int x, int y);
    virtual void Update(float dtSeconds);
    // Back to normal with the clicked flag cleared (a menu level becoming active).
    virtual void Reset();
    // The keyboard's highlight: hovered from normal, and kept until Unhighlight.
    virtual void Highlight();
    void Unhighlight();
    void PressByKey();
    void ReleaseByKey();

    void SetAction(std::unique_ptr<ButtonAction> buttonAction);
    ButtonAction* GetAction() const { return action.get(); }
    int GetState() const { return state; }
    bool IsClicked() const { return clicked; }
    bool IsKeyHighlighted() const { return keyHighlighted; }
    bool Contains(int x, int y) const;
    bool HasPicture() const { return sprite != nullptr; }
    const std::string& GetSpriteName() const { return spriteName; }
    int GetX() const { return posX; }
    int GetY() const { return posY; }

protected:
    Sprite* GetSprite() const { return sprite; }
    void SetState(int value) { state = value; }
    void SetClicked(bool on) { clicked = on; }
    // A press away from the button is the pointer's, not the keyboard's.
    void UnhighlightUnlessAt(int x, int y);

private:
    int state = kNormal;
    Sprite* sprite = nullptr;
    int posX;
    int posY;
    std::string firstSoundName;
    std::string secondSoundName;
    std::string spriteName;
    int boxWidth = 0;
    int boxHeight = 0;
    bool clicked = false;
    bool keyHighlighted = false;
    std::unique_ptr<ButtonAction> action;
};
