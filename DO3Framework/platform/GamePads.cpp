#include "platform/GamePads.h"

#include <SDL.h>

#include <algorithm>

#include "platform/VirtualKeys.h"

namespace platform {

GamePads::GamePads()
{
    started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

GamePads::~GamePads()
{
    if (!started || !SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        // Nothing opened, or SDL ended already and took its controllers with it.
        return;
    }
    for (auto& [id, pad] : pads) {
        SDL_GameControllerClose(pad.controller);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::vector<PadKeyChange> GamePads::Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        return {};
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        Press(event.cbutton.which, event.cbutton.button);
        break;
    case SDL_CONTROLLERBUTTONUP:
        Release(event.cbutton.which, event.cbutton.button);
        break;
    case SDL_CONTROLLERAXISMOTION:
        MoveStick(event.caxis.which, event.caxis.axis, event.caxis.value);
        break;
    default:
        return {};
    }
    return SettleKeys();
}

void GamePads::Rumble(float strength, int milliseconds)
{
    const auto motor = static_cast<Uint16>(std::clamp(strength, 0.0f, 1.0f) * 0xFFFF);
    for (auto& [id, pad] : pads) {
        // A pad without a motor refuses; it simply does not shake.
        SDL_GameControllerRumble(pad.controller, motor, motor, static_cast<Uint32>(std::max(milliseconds, 0)));
    }
}

void GamePads::Open(int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (pads.count(id)) {
        // Reported twice: the second open only counted another reference.
        SDL_GameControllerClose(controller);
        return;
    }
    pads[id].controller = controller;
}

void GamePads::Close(int32_t instanceId)
{
    auto found = pads.find(instanceId);
    if (found == pads.end()) {
        return;
    }
    SDL_GameControllerClose(found->second.controller);
    pads.erase(found);
}

void GamePads::Press(int32_t instanceId, int button)
{
    auto found = pads.find(instanceId);
    const int key = KeyOfButton(button);
    if (found != pads.end() && key != 0) {
        found->second.keyOfHeldButton[button] = key;
    }
}

void GamePads::Release(int32_t instanceId, int button)
{
    auto found = pads.find(instanceId);
    if (found != pads.end()) {
        found->second.keyOfHeldButton.erase(button);
    }
}

void GamePads::MoveStick(int32_t instanceId, int axis, int value)
{
    auto found = pads.find(instanceId);
    if (found == pads.end()) {
        return;
    }
    if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
        found->second.stick.SetX(value);
    } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
        found->second.stick.SetY(value);
    }
}

int GamePads::KeyOfButton(int button) const
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return textEntry ? vk::kReturn : vk::kSpace;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_X: return vk::Letter('S');
    case SDL_CONTROLLER_BUTTON_START: return vk::Letter('P');
    case SDL_CONTROLLER_BUTTON_BACK: return vk::kEscape;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return vk::kUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return vk::kDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return vk::kLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return vk::kRight;
    default: return 0;
    }
}

std::set<int> GamePads::HeldKeys() const
{
    std::set<int> held;
    for (const auto& [id, pad] : pads) {
        for (const auto& [button, key] : pad.keyOfHeldButton) {
            held.insert(key);
        }
        for (int key : pad.stick.HeldKeys()) {
            held.insert(key);
        }
    }
    return held;
}

std::vector<PadKeyChange> GamePads::SettleKeys()
{
    const std::set<int> held = HeldKeys();
    std::vector<PadKeyChange> changes;
    for (int key : keysDown) {
        if (!held.count(key)) {
            changes.push_back({key, false});
        }
    }
    for (int key : held) {
        if (!keysDown.count(key)) {
            changes.push_back({key, true});
        }
    }
    keysDown = held;
    return changes;
}

}  // namespace platform
