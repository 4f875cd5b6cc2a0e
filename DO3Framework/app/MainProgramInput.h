#pragma once

#include "app/InputTarget.h"

// Window input for MainProgram: keys, mouse moves and debug commands go to MainProgram,
// characters and buttons straight to its game, if one is running.
class MainProgramInput : public InputTarget {
public:
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Char(int code) override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(int x, int y, bool doubleClick) override;
    void LeftButtonUp(int x, int y) override;
    void RightButtonDown(int x, int y) override;
    void RightButtonUp(int x, int y) override;
    int DebugCommand(const std::string& command, int a, int b) override;
};
