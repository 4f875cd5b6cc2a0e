#include "platform/Clock.h"

#include <SDL.h>

namespace platform {
namespace {

// Signed difference, so that a wrap of the clock between the two readings does not stall.
int32_t ElapsedSince(uint32_t mark)
{
    return static_cast<int32_t>(Clock::Milliseconds() - mark);
}

}  // namespace

uint32_t Clock::Milliseconds()
{
    return SDL_GetTicks();
}

uint64_t Clock::PerformanceCounter()
{
    return SDL_GetPerformanceCounter();
}

uint64_t Clock::PerformanceFrequency()
{
    return SDL_GetPerformanceFrequency();
}

void Clock::Sleep(uint32_t milliseconds)
{
    SDL_Delay(milliseconds);
}

void Clock::WaitUntilElapsed(uint32_t markMilliseconds, uint32_t milliseconds)
{
    const auto wanted = static_cast<int32_t>(milliseconds);
    int32_t remaining = wanted - ElapsedSince(markMilliseconds);
    if (remaining > 1) {
        Sleep(static_cast<uint32_t>(remaining - 1));
    }
    while (ElapsedSince(markMilliseconds) < wanted) {
    }
}

}  // namespace platform
