#pragma once

#include <cstdint>

namespace platform {

// The millisecond clock of the frame loop and the high-resolution counter.
class Clock {
public:
    // Milliseconds since the platform layer started; wraps after 49 days like the system clock it stands for.
    static uint32_t Milliseconds();
    static uint64_t PerformanceCounter();
    static uint64_t PerformanceFrequency();
    static void Sleep(uint32_t milliseconds);
    // Returns once at least the given milliseconds have passed since mark. Sleeps the whole
    // wait, the last millisecond in short naps, so that it neither burns a core nor ends late.
    static void WaitUntilElapsed(uint32_t markMilliseconds, uint32_t milliseconds);
};

}  // namespace platform
