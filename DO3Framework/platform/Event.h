#pragma once

namespace platform {

// The window messages the engine reacts to, as the event pump delivers them.
enum class EventType {
    Destroy,          // the window was closed
    Quit,             // ends the message loop; exitCode is the program's exit code
    SetFocus,
    KillFocus,
    Paint,            // the client area needs drawing
    KeyDown,          // key: virtual-key code; repeat: auto-repeat of a held key
    KeyUp,            // key: virtual-key code
    Char,             // character: Windows-1252 code
    MouseMove,        // x, y: client pixels
    LeftDown,
    LeftDoubleClick,
    LeftUp,
    RightDown,
    RightUp,
    Command,          // command: a menu command id
    SurfacesLost,     // the display lost its video memory and must restore it
};

struct Event {
    EventType type = EventType::Paint;
    int key = 0;
    bool repeat = false;
    int character = 0;
    int x = 0;
    int y = 0;
    int command = 0;
    int exitCode = 0;
};

}  // namespace platform
