#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

// A periodic timer on a thread of its own, as the sound streams need it to refill their
// buffers. Kill joins the thread: once it returns, no callback runs any more.
class PeriodicTimer {
public:
    using Callback = std::function<void()>;

    PeriodicTimer() = default;
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Calls callback every periodMs milliseconds until Kill; false if running or the period is 0.
    bool Start(uint32_t periodMs, Callback callback);
    // Stops and joins. From inside the callback it only stops (a thread cannot join itself);
    // the thread is joined by the next Kill or Start from another thread. A timer must not be
    // destroyed from its own callback.
    void Kill();
    bool IsRunning() const;

private:
    void Loop(uint32_t periodMs);

    mutable std::mutex mutex;
    std::condition_variable wake;
    std::thread thread;
    Callback callback;
    bool stopping = false;
    bool running = false;
    // Set by the timer thread itself, so that Kill knows when its own callback calls it.
    std::thread::id loopThread;
};

}  // namespace platform
