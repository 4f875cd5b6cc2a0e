#pragma once

#include <string>
#include <vector>

#include "app/GameState.h"

// A game that records what reaches it, as "KeyDown 27", "MouseMove 512 384", ...
class RecordingGame : public GameState {
public:
    RecordingGame();
    ~RecordingGame() override;

    void Init(int level) override;
    void Exit() override;
    void Update(float dt) override;
    void Render() override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Char(int code) override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void LeftButtonUp(int x, int y) override;
    void MouseMove(int x, int y) override;
    int DebugCommand(const std::string& command, int a, int b) override;

    // The calls of every RecordingGame since the last Clear, in order.
    static std::vector<std::string>& Calls();
    static int Count(const std::string& call);
    static void Clear() { Calls().clear(); }

private:
    static void Record(const std::string& call) { Calls().push_back(call); }
};
