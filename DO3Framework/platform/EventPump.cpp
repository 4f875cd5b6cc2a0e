#include "platform/EventPump.h"

#include <SDL.h>

#include <string>

#include "platform/ImGuiLayer.h"
#include "platform/Keyboard.h"
#include "platform/TextEncoding.h"
#include "platform/VirtualKeys.h"

namespace platform {
namespace {

// Keys that also type a control character, as a Windows window receives it.
int ControlCharacterOf(int virtualKey)
{
    switch (virtualKey) {
    case vk::kBack: return '\b';
    case vk::kTab: return '\t';
    case vk::kReturn: return '\r';
    case vk::kEscape: return 0x1B;
    default: return 0;
    }
}

// Keys that may type text: space, digits, letters, the keypad and the punctuation keys.
bool IsTypingKey(int virtualKey)
{
    return virtualKey == vk::kSpace || (virtualKey >= vk::Digit(0) && virtualKey <= vk::Letter('Z')) ||
           (virtualKey >= vk::kNumpad0 && virtualKey <= vk::kDivide) ||
           (virtualKey >= vk::kOem1 && virtualKey <= vk::kOem102);
}

// The text a key types without modifiers, as a pad pressing it types it; empty for none.
std::string PlainTextOf(int virtualKey)
{
    if (virtualKey == vk::kSpace) {
        return " ";
    }
    if (virtualKey >= vk::Letter('A') && virtualKey <= vk::Letter('Z')) {
        return std::string(1, static_cast<char>(virtualKey - 'A' + 'a'));
    }
    return {};
}

Event EventOf(EventType type)
{
    Event event;
    event.type = type;
    return event;
}

Event MouseEventOf(EventType type, int x, int y)
{
    Event event = EventOf(type);
    event.x = x;
    event.y = y;
    return event;
}

// What the shown editor wants (a click on its windows, typing into its fields) is not the game's.
bool TakenByEditor(const SDL_Event& event)
{
    return ImGuiLayer::Exists() && ImGuiLayer::Instance().IsVisible() && ImGuiLayer::Instance().Offer(event);
}

}  // namespace

EventPump::EventPump()
{
    eventsStarted = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

EventPump::~EventPump()
{
    if (eventsStarted) {
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
}

bool EventPump::Poll(Event& event)
{
    if (TakeQueued(event)) {
        return true;
    }
    // System events that mean nothing to the engine are passed over, not counted as a message.
    SDL_Event systemEvent;
    while (SDL_PollEvent(&systemEvent)) {
        Translate(systemEvent);
        if (TakeQueued(event)) {
            return true;
        }
    }
    if (paintPending) {
        paintPending = false;
        event = EventOf(EventType::Paint);
        return true;
    }
    return false;
}

bool EventPump::Wait(Event& event)
{
    for (;;) {
        if (TakeQueued(event)) {
            return true;
        }
        if (paintPending) {
            paintPending = false;
            event = EventOf(EventType::Paint);
            return true;
        }
        SDL_Event systemEvent;
        if (!SDL_WaitEvent(&systemEvent)) {
            return false;
        }
        Translate(systemEvent);
    }
}

void EventPump::Post(const Event& event)
{
    queue.push_back(event);
}

void EventPump::PostQuit(int exitCode)
{
    Event event = EventOf(EventType::Quit);
    event.exitCode = exitCode;
    queue.push_back(event);
}

void EventPump::Invalidate()
{
    paintPending = true;
}

int EventPump::CharacterOfKey(int virtualKey) const
{
    auto found = typedCharacters.find(virtualKey);
    return found == typedCharacters.end() ? 0 : found->second;
}

bool EventPump::TakeQueued(Event& event)
{
    if (queue.empty()) {
        return false;
    }
    event = queue.front();
    queue.pop_front();
    return true;
}

void EventPump::Translate(const SDL_Event& systemEvent)
{
    if (TakenByEditor(systemEvent)) {
        return;
    }
    switch (systemEvent.type) {
    case SDL_QUIT:
        queue.push_back(EventOf(EventType::Destroy));
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(systemEvent.window.event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(systemEvent.key.keysym.sym, systemEvent.type == SDL_KEYDOWN, systemEvent.key.repeat != 0);
        break;
    case SDL_TEXTINPUT:
        TranslateText(systemEvent.text.text);
        break;
    case SDL_MOUSEMOTION:
        queue.push_back(MouseEventOf(EventType::MouseMove, systemEvent.motion.x, systemEvent.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateMouseButton(systemEvent.button.button, systemEvent.type == SDL_MOUSEBUTTONDOWN,
                             systemEvent.button.clicks, systemEvent.button.x, systemEvent.button.y);
        break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        for (const PadKeyChange& change : gamePads.Translate(systemEvent)) {
            QueuePadKey(change);
        }
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        queue.push_back(EventOf(EventType::SurfacesLost));
        break;
    default:
        break;
    }
}

void EventPump::TranslateKey(int32_t keycode, bool down, bool repeat)
{
    int key = VirtualKeyFromSdlKeycode(keycode);
    if (key != 0) {
        QueueKey(key, down, repeat);
    }
}

void EventPump::QueueKey(int key, bool down, bool repeat)
{
    Event event = EventOf(down ? EventType::KeyDown : EventType::KeyUp);
    event.key = key;
    event.repeat = down && repeat;
    queue.push_back(event);
    if (!down) {
        return;
    }
    lastPressedKey = IsTypingKey(key) ? key : 0;
    int control = ControlCharacterOf(key);
    if (control) {
        typedCharacters[key] = control;
        Event character = EventOf(EventType::Char);
        character.character = control;
        queue.push_back(character);
    }
}

// A pad's key goes the keyboard's way, text included, so name entry and the levels cannot
// tell them apart.
void EventPump::QueuePadKey(const PadKeyChange& change)
{
    QueueKey(change.key, change.down, false);
    std::string text = change.down ? PlainTextOf(change.key) : std::string();
    if (!text.empty()) {
        TranslateText(text.c_str());
    }
}

void EventPump::TranslateText(const char* utf8)
{
    std::string text = Cp1252FromUtf8(utf8);
    // The system sends the text right after the key that typed it.
    if (lastPressedKey && !text.empty()) {
        typedCharacters[lastPressedKey] = static_cast<unsigned char>(text[0]);
        lastPressedKey = 0;
    }
    for (char c : text) {
        Event event = EventOf(EventType::Char);
        event.character = static_cast<unsigned char>(c);
        queue.push_back(event);
    }
}

void EventPump::TranslateMouseButton(int button, bool down, int clicks, int x, int y)
{
    EventType type;
    if (button == SDL_BUTTON_LEFT) {
        // Every second click of a series is a double-click, as a window with double-clicks sees it.
        type = !down ? EventType::LeftUp : (clicks % 2 == 0 ? EventType::LeftDoubleClick : EventType::LeftDown);
    } else if (button == SDL_BUTTON_RIGHT) {
        type = down ? EventType::RightDown : EventType::RightUp;
    } else {
        return;
    }
    queue.push_back(MouseEventOf(type, x, y));
}

void EventPump::TranslateWindowEvent(int windowEvent)
{
    switch (windowEvent) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        queue.push_back(EventOf(EventType::SetFocus));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        queue.push_back(EventOf(EventType::KillFocus));
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        paintPending = true;
        break;
    default:
        break;
    }
}

}  // namespace platform
