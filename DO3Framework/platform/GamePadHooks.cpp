#include "platform/GamePadHooks.h"

#include "platform/EventPump.h"

namespace platform {

void RumbleGamePads(float strength, int milliseconds)
{
    if (EventPump::Exists()) {
        EventPump::Instance().Pads().Rumble(strength, milliseconds);
    }
}

void SetGamePadTextEntry(bool on)
{
    if (EventPump::Exists()) {
        EventPump::Instance().Pads().SetTextEntry(on);
    }
}

}  // namespace platform
