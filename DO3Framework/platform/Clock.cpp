#include "platform/Clock.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace platform {
namespace {

// The last millisecond of a wait is slept in naps this short: the wait ends a fraction of a
// millisecond after its mark instead of spinning on the clock.
constexpr std::chrono::microseconds kNap{200};

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
    for (int32_t remaining = wanted - ElapsedSince(markMilliseconds); remaining > 0;
         remaining = wanted - ElapsedSince(markMilliseconds)) {
        // The millisecond clock may be just short of its next tick: whole milliseconds are
        // slept only while more than one is left.
        if (remaining > 1) {
            Sleep(static_cast<uint32_t>(remaining - 1));
        } else {
            std::this_thread::sleep_for(kNap);
        }
    }
}

}  // namespace platform
