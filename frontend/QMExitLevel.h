#pragma once

#include <string>

#include "frontend/QMMenuLevel.h"

// Level 5: the goodbye screen. Any key, or a click beside every link button, ends the
// program; a link button of "Data\Shared\QuitButtons.txt" opens its web address and ends it.
// While there are link buttons the arrow keys choose among them instead, and Enter or Space
// clicks the chosen one.
class QMExitLevel : public QMMenuLevel {
public:
    static constexpr const char* kFileName = "Data\\Shared\\QuitButtons.txt";

    bool Init(GameState* game) override;
    void Activate() override;
    void Update(float dtSeconds) override;
    void KeyDown(int key) override;
    void LeftButtonUp(int x, int y) override;

    bool IsQuitting() const { return quitRequested; }

private:
    void ReadLinkButtons();
    // A line "sprite x y address" makes a link button; any other line is ignored.
    void AddLinkButton(const std::string& line);

    bool quitRequested = false;
    bool quitPosted = false;
};
