#pragma once

#include <string>

// Where the window's input goes: MainProgram and its game in the running program (see
// MainProgramInput), a recorder in tests. Positions are in the 1024 x 768 logical frame.
class InputTarget {
public:
    virtual ~InputTarget() = default;

    virtual void KeyDown(int key) = 0;
    virtual void KeyUp(int key) = 0;
    virtual void Char(int code) = 0;
    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseButtonDown(int x, int y, bool doubleClick) = 0;
    virtual void LeftButtonUp(int x, int y) = 0;
    virtual void RightButtonDown(int x, int y) = 0;
    virtual void RightButtonUp(int x, int y) = 0;
    virtual int DebugCommand(const std::string& command, int a, int b) = 0;
};
