#pragma once

#include "frontend/QMMenuLevel.h"

// Level 0: the title screen with the buttons to play, to the help, to the highscores and to
// the exit screen.
class QMMainMenuLevel : public QMMenuLevel {
public:
    static constexpr float kFlashTimeSeconds = 0.3f;

    bool Init(GameState* game) override;
};
