#pragma once

#include "params/Object.h"

class GameState;

// One screen of a game. The game creates all its levels, calls Init once for each, then
// Activate whenever one becomes active; only the active level gets frames and input.
class Level : public Object {
public:
    virtual bool Init(GameState* game) = 0;
    virtual void Exit() = 0;
    virtual void Activate() = 0;
    virtual void Update(float dt) = 0;
    virtual void Render() = 0;

    virtual void KeyDown(int) {}
    virtual void KeyUp(int) {}
    virtual void Char(int) {}
    virtual void MouseButtonDown(int, int, bool) {}
    virtual void LeftButtonUp(int, int) {}
    virtual void RightButtonDown(int, int) {}
    virtual void RightButtonUp(int, int) {}
    virtual void MouseMove(int, int) {}
};
