#include "app/KeyboardInput.h"

void KeyboardInput::KeyDown(int key)
{
    current[key] = true;
    lastEventKey = key;
}

void KeyboardInput::KeyUp(int key)
{
    current[key] = false;
}

bool KeyboardInput::IsDown(int key) const
{
    auto found = current.find(key);
    return found != current.end() && found->second;
}

bool KeyboardInput::WasReleased(int key) const
{
    return released.count(key) != 0;
}

void KeyboardInput::Update(float)
{
    released.clear();
    lastReleased = 0;
    // Maps iterate in ascending key order, so the last release recorded is the highest code.
    for (const auto& [key, wasDown] : previous) {
        if (wasDown && !IsDown(key)) {
            released[key] = true;
            lastReleased = key;
        }
    }
    previous.clear();
    for (const auto& [key, down] : current) {
        if (down) {
            previous[key] = true;
        }
    }
}

void KeyboardInput::Reset()
{
    previous.clear();
    current.clear();
    released.clear();
    lastReleased = 0;
}
