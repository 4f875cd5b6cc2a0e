#pragma once

#include <string>

// A running game, created by name through Factory<GameState> and driven by MainProgram.
// While not ready (before Init has finished, after Exit) a game ignores frames and input.
// Coordinates are in the 1024 x 768 logical frame; keys are Windows virtual-key codes.
class GameState {
public:
    virtual ~GameState() = default;

    // Also called again by the game itself and by menu actions to switch levels.
    virtual void Init(int level) = 0;
    virtual void Exit() = 0;
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
    virtual int DebugCommand(const std::string&, int, int) { return 0; }
    virtual bool IsReady() const { return ready; }

protected:
    bool ready = false;
};
