#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/GamePadStick.h"

union SDL_Event;
struct _SDL_GameController;

namespace platform {

// A key the pads pressed or let go.
struct PadKeyChange {
    int key = 0;
    bool down = false;
};

// The game controllers, opened when the system reports them (those present at the start
// included) and closed when they are unplugged. They speak the keyboard's language: the
// d-pad and the left stick are the arrow keys, the south button Space, east and west 'S',
// Start 'P' and Back Escape. A key is down while any pad holds it, so two pads or the d-pad
// and the stick together press it once; an unplugged pad lets go of everything it held.
class GamePads {
public:
    GamePads();
    ~GamePads();
    GamePads(const GamePads&) = delete;
    GamePads& operator=(const GamePads&) = delete;

    // The keys the system event pressed or released; empty for events that are not a pad's.
    std::vector<PadKeyChange> Translate(const SDL_Event& event);
    // While a name is typed the south button ends it with Enter instead of giving Space.
    void SetTextEntry(bool on) { textEntry = on; }
    bool IsTextEntry() const { return textEntry; }
    // A short shake of every pad with a motor; strength from 0 to 1.
    void Rumble(float strength, int milliseconds);
    int Count() const { return static_cast<int>(pads.size()); }

private:
    struct Pad {
        _SDL_GameController* controller = nullptr;
        // The key each held button pressed, kept so that it releases what it pressed.
        std::map<int, int> keyOfHeldButton;
        GamePadStick stick;
    };

    void Open(int deviceIndex);
    void Close(int32_t instanceId);
    void Press(int32_t instanceId, int button);
    void Release(int32_t instanceId, int button);
    void MoveStick(int32_t instanceId, int axis, int value);
    int KeyOfButton(int button) const;
    std::set<int> HeldKeys() const;
    std::vector<PadKeyChange> SettleKeys();

    std::map<int32_t, Pad> pads;
    std::set<int> keysDown;
    bool textEntry = false;
    bool started = false;
};

}  // namespace platform
