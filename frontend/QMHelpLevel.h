#pragma once

#include "frontend/QMMenuLevel.h"

// Level 6: the help text is painted into the background; one button leads back to the menu.
class QMHelpLevel : public QMMenuLevel {
public:
    static constexpr float kFlashTimeSeconds = 0.3f;

    bool Init(GameState* game) override;
};
