#pragma once

#include <cstdint>
#include <deque>
#include <map>

#include "platform/Event.h"
#include "platform/GamePads.h"
#include "util/Singleton.h"

union SDL_Event;

namespace platform {

// The window's message queue. Each Poll takes at most one meaningful event from the system;
// one system event may become several of ours (a key with its control character), which wait
// in a small queue. A paint request is delivered only when nothing else is waiting, and
// several requests before it make one paint.
class EventPump : public Singleton<EventPump> {
public:
    EventPump();
    ~EventPump() override;

    // Takes the next event without waiting; false if none is waiting.
    bool Poll(Event& event);
    // Takes the next event, blocking until one arrives; false only if the system queue failed.
    bool Wait(Event& event);

    void Post(const Event& event);
    void PostQuit(int exitCode);
    // Queues one paint of the whole client area.
    void Invalidate();

    // The Windows-1252 character the key typed when it was last pressed (with the modifiers
    // held then), 0 if it never typed one. Name entry turns a released key into text this way.
    int CharacterOfKey(int virtualKey) const;

    GamePads& Pads() { return gamePads; }

private:
    bool TakeQueued(Event& event);
    void Translate(const SDL_Event& systemEvent);
    void TranslateKey(int32_t keycode, bool down, bool repeat);
    void QueueKey(int key, bool down, bool repeat);
    void QueuePadKey(const PadKeyChange& change);
    void TranslateText(const char* utf8);
    void TranslateMouseButton(int button, bool down, int clicks, int x, int y);
    void TranslateWindowEvent(int windowEvent);

    std::deque<Event> queue;
    std::map<int, int> typedCharacters;
    int lastPressedKey = 0;
    bool paintPending = false;
    bool eventsStarted = false;
    GamePads gamePads;
};

}  // namespace platform
