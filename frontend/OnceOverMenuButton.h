#pragma once

#include <string>

#include "frontend/MenuButton.h"

// A menu button whose highlight only flashes: entering it shows the hovered frame and pressing
// it the pressed frame, each for the flash time, then frame 0 shows again while the state goes
// on as for MenuButton. Entering and pressing play a random board knock.
//
// Differences from MenuButton:
//
//   event            | condition          | frame shown  | flash timer | sound
//   -----------------+--------------------+--------------+-------------+------
//   MouseMove        | inside, state 0    | 1            | flash time  | yes
//   MouseButtonDown  | state 1            | 2            | flash time  | yes
//   Update(dt)       | timer - dt < 0     | 0            | timer - dt  |
//
// A move leaves the clicked flag alone, so a click is still there for whoever reads it on the
// next update even when the pointer moved after the release.
//
// A highlight by the keyboard flashes and knocks as the pointer entering does, and then keeps
// showing the hovered frame: with no pointer on it the player would lose the highlight.
class OnceOverMenuButton : public MenuButton {
public:
    static constexpr int kKnockSounds = 6;

    OnceOverMenuButton(const std::string& spriteName, int x, int y, float flashTimeSeconds);

    void Render() override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void MouseMove(int x, int y) override;
    void Update(float dtSeconds) override;
    // Also ends a flash, so a button that was pressed on leaving does not flash on return.
    void Reset() override;
    void Highlight() override;

    int GetFrameShown() const { return frameShown; }

private:
    void Flash(int frame);
    static void PlayKnock();

    float flashTime;
    float flashTimer = 0.0f;
    int frameShown = kNormal;
};
