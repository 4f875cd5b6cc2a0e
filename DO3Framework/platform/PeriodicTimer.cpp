#include "platform/PeriodicTimer.h"

#include <chrono>

namespace platform {

PeriodicTimer::~PeriodicTimer()
{
    Kill();
    if (thread.joinable()) {
        // Destroyed by its own callback: the thread cannot join itself.
        thread.detach();
    }
}

bool PeriodicTimer::Start(uint32_t periodMs, Callback newCallback)
{
    if (periodMs == 0 || !newCallback || IsRunning()) {
        return false;
    }
    if (thread.joinable()) {
        thread.join();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = false;
        running = true;
    }
    callback = std::move(newCallback);
    thread = std::thread(&PeriodicTimer::Loop, this, periodMs);
    return true;
}

void PeriodicTimer::Kill()
{
    bool fromCallback = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        fromCallback = running && loopThread == std::this_thread::get_id();
    }
    wake.notify_all();
    if (fromCallback || !thread.joinable()) {
        return;
    }
    thread.join();
    std::lock_guard<std::mutex> lock(mutex);
    running = false;
    loopThread = {};
}

bool PeriodicTimer::IsRunning() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return running && !stopping;
}

void PeriodicTimer::Loop(uint32_t periodMs)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto next = Clock::now() + period;
    std::unique_lock<std::mutex> lock(mutex);
    loopThread = std::this_thread::get_id();
    while (!wake.wait_until(lock, next, [this] { return stopping; })) {
        lock.unlock();
        callback();
        lock.lock();
        next += period;
        // After a stall the timer goes on from now rather than firing the missed periods at once.
        if (next < Clock::now()) {
            next = Clock::now() + period;
        }
    }
}

}  // namespace platform
