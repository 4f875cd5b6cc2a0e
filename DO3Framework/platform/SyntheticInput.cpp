#include "platform/SyntheticInput.h"

#include <SDL.h>

#include <cstring>

#include "platform/Window.h"

namespace platform {

void PushKey(const char* keyName, bool down, bool repeat)
{
    SDL_Event event {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = SDL_GetKeyFromName(keyName);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    SDL_PushEvent(&event);
}

void PushText(const char* utf8)
{
    SDL_Event event {};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
}

void PushMouseButton(int button, bool down, int clicks, int x, int y)
{
    SDL_Event event {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = static_cast<Uint8>(clicks);
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void PushMouseMotion(int x, int y)
{
    SDL_Event event {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

void PushWindowClose()
{
    SDL_Event event {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void PushWindowExposed(const Window& window)
{
    SDL_Event event {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    event.window.windowID = SDL_GetWindowID(window.Handle());
    SDL_PushEvent(&event);
}

}  // namespace platform
