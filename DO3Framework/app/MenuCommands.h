#pragma once

// The commands of the windowed mode's menu. There is no menu bar on this platform: in
// windowed mode the commands sit on function keys the game never uses, and a key that
// carries a command does not reach the game. Switching between window and full screen
// (F11, also Alt+Enter) works in both modes.
//
//   F1  Help > Help Me!          F8  Edit > Objects Browser
//   F2  Help > About             F9  Debug > Messages
//   F5  File > Reset             F10 Debug > Flags
//   F11 View > Full Screen       F12 File > Exit
namespace menu_commands {

constexpr int kReset = 131;
constexpr int kExit = 132;
constexpr int kHelp = 138;
constexpr int kAbout = 139;
constexpr int kFlags = 169;
constexpr int kMessages = 32773;
constexpr int kObjectsBrowser = 32774;
constexpr int kToggleFullScreen = 32775;

// The command on a virtual key in windowed mode, 0 if the key carries none.
int CommandOfKey(int virtualKey);
// Whether the command's key is also taken from the game in full screen.
bool WorksInFullScreen(int command);

}  // namespace menu_commands
