#include "platform/Keyboard.h"

#include <SDL.h>

#include "platform/VirtualKeys.h"

namespace platform {
namespace {

int VirtualKeyOfCharacterKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) {
        return vk::Letter('A') + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return vk::Digit(0) + (key - SDLK_0);
    }
    switch (key) {
    case SDLK_SPACE: return vk::kSpace;
    case SDLK_SEMICOLON: return vk::kOem1;
    case SDLK_EQUALS: return vk::kOemPlus;
    case SDLK_PLUS: return vk::kOemPlus;
    case SDLK_COMMA: return vk::kOemComma;
    case SDLK_MINUS: return vk::kOemMinus;
    case SDLK_PERIOD: return vk::kOemPeriod;
    case SDLK_SLASH: return vk::kOem2;
    case SDLK_HASH: return vk::kOem2;
    case SDLK_BACKQUOTE: return vk::kOem3;
    case SDLK_LEFTBRACKET: return vk::kOem4;
    case SDLK_BACKSLASH: return vk::kOem5;
    case SDLK_CARET: return vk::kOem5;
    case SDLK_RIGHTBRACKET: return vk::kOem6;
    case SDLK_QUOTE: return vk::kOem7;
    case SDLK_LESS: return vk::kOem102;
    // A German layout reports its umlaut keys by their code points.
    case 0xFC: return vk::kOem1;   // ü
    case 0xF6: return vk::kOem3;   // ö
    case 0xDF: return vk::kOem4;   // ß
    case 0xB4: return vk::kOem6;   // ´
    case 0xE4: return vk::kOem7;   // ä
    default: return 0;
    }
}

int VirtualKeyOfKeypadKey(SDL_Keycode key)
{
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return vk::kNumpad0 + 1 + (key - SDLK_KP_1);
    }
    switch (key) {
    case SDLK_KP_0: return vk::kNumpad0;
    case SDLK_KP_ENTER: return vk::kReturn;
    case SDLK_KP_MULTIPLY: return vk::kMultiply;
    case SDLK_KP_PLUS: return vk::kAdd;
    case SDLK_KP_MINUS: return vk::kSubtract;
    case SDLK_KP_PERIOD: return vk::kDecimal;
    case SDLK_KP_DIVIDE: return vk::kDivide;
    default: return 0;
    }
}

int VirtualKeyOfControlKey(SDL_Keycode key)
{
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return vk::kF1 + (key - SDLK_F1);
    }
    switch (key) {
    case SDLK_BACKSPACE: return vk::kBack;
    case SDLK_TAB: return vk::kTab;
    case SDLK_RETURN: return vk::kReturn;
    case SDLK_RETURN2: return vk::kReturn;
    case SDLK_LSHIFT: return vk::kShift;
    case SDLK_RSHIFT: return vk::kShift;
    case SDLK_LCTRL: return vk::kControl;
    case SDLK_RCTRL: return vk::kControl;
    case SDLK_LALT: return vk::kMenu;
    case SDLK_RALT: return vk::kMenu;
    case SDLK_PAUSE: return vk::kPause;
    case SDLK_CAPSLOCK: return vk::kCapital;
    case SDLK_ESCAPE: return vk::kEscape;
    case SDLK_PAGEUP: return vk::kPrior;
    case SDLK_PAGEDOWN: return vk::kNext;
    case SDLK_END: return vk::kEnd;
    case SDLK_HOME: return vk::kHome;
    case SDLK_LEFT: return vk::kLeft;
    case SDLK_UP: return vk::kUp;
    case SDLK_RIGHT: return vk::kRight;
    case SDLK_DOWN: return vk::kDown;
    case SDLK_PRINTSCREEN: return vk::kSnapshot;
    case SDLK_INSERT: return vk::kInsert;
    case SDLK_DELETE: return vk::kDelete;
    case SDLK_NUMLOCKCLEAR: return vk::kNumLock;
    case SDLK_SCROLLLOCK: return vk::kScroll;
    default: return VirtualKeyOfKeypadKey(key);
    }
}

}  // namespace

int VirtualKeyFromSdlKeycode(int32_t keycode)
{
    int key = VirtualKeyOfCharacterKey(keycode);
    return key ? key : VirtualKeyOfControlKey(keycode);
}

int VirtualKeyFromKeyName(const char* name)
{
    SDL_Keycode keycode = SDL_GetKeyFromName(name);
    return keycode == SDLK_UNKNOWN ? 0 : VirtualKeyFromSdlKeycode(keycode);
}

bool IsKeyHeld(int virtualKey)
{
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode) {
        if (state[scancode] &&
            VirtualKeyFromSdlKeycode(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode))) == virtualKey) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
