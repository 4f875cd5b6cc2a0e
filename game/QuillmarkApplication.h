#pragma once

#include "app/DO3Application.h"

// The game's application: starts the game the configuration names and hands it every frame.
class QuillmarkApplication : public DO3Application {
public:
    bool Init() override;
    bool Exit() override;
    void Update(float dt) override;
    void Render() override;
};
