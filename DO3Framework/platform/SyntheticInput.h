#pragma once

namespace platform {

class Window;

// Puts input into the system queue as if the user had made it, so that tests drive the
// whole path from the system event to the engine's event without a person at the keyboard.
void PushKey(const char* keyName, bool down, bool repeat = false);
void PushText(const char* utf8);
// button: 1 left, 3 right, as the system numbers them.
void PushMouseButton(int button, bool down, int clicks, int x, int y);
void PushMouseMotion(int x, int y);
void PushWindowClose();
// The window was uncovered and must be painted again.
void PushWindowExposed(const Window& window);

}  // namespace platform
