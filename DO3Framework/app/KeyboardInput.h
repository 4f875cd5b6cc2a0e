#pragma once

#include <map>

#include "util/Singleton.h"

// Keyboard state for code that polls once per frame (steering, name entry) rather than
// reacting to key messages. Keys are Windows virtual-key codes; unseen keys count as up.
class KeyboardInput : public Singleton<KeyboardInput> {
public:
    void KeyDown(int key);
    void KeyUp(int key);
    bool IsDown(int key) const;
    // The highest key code released between the last two updates, 0 if none.
    int LastReleasedKey() const { return lastReleased; }
    int LastEventKey() const { return lastEventKey; }
    bool WasReleased(int key) const;

    // Once per frame, before the game's update; dt is unused.
    void Update(float dt);
    void Reset();

private:
    std::map<int, bool> previous;
    std::map<int, bool> current;
    std::map<int, bool> released;
    int lastReleased = 0;
    int lastEventKey = 0;
};
