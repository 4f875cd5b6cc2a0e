#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/PeriodicTimer.h"

namespace {

// Counts callbacks and lets the test wait for a number of them (no assertion on how long).
class Counter {
public:
    void Tick()
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++count;
        changed.notify_all();
    }
    bool WaitFor(int wanted)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return count >= wanted; });
    }
    int Count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return count;
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

TEST(PeriodicTimerTest, CallsBackRepeatedlyOnAnotherThread)
{
    Counter counter;
    std::atomic<bool> onOwnThread{true};
    const auto mainThread = std::this_thread::get_id();
    platform::PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(1, [&] {
        if (std::this_thread::get_id() == mainThread) {
            onOwnThread = false;
        }
        counter.Tick();
    }));
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_TRUE(counter.WaitFor(3));
    timer.Kill();
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_TRUE(onOwnThread);
}

TEST(PeriodicTimerTest, KillWaitsForARunningCallbackAndNoneFollows)
{
    Counter entered;
    std::atomic<bool> inside{false};
    std::atomic<int> calls{0};
    platform::PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(1, [&] {
        inside = true;
        ++calls;
        entered.Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        inside = false;
    }));
    ASSERT_TRUE(entered.WaitFor(1));
    timer.Kill();
    EXPECT_FALSE(inside);
    int callsAtKill = calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(calls, callsAtKill);
}

TEST(PeriodicTimerTest, DestructorKillsTheTimer)
{
    auto calls = std::make_shared<std::atomic<int>>(0);
    Counter counter;
    {
        platform::PeriodicTimer timer;
        ASSERT_TRUE(timer.Start(1, [calls, &counter] {
            ++*calls;
            counter.Tick();
        }));
        ASSERT_TRUE(counter.WaitFor(1));
    }
    int callsAtDestruction = *calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(*calls, callsAtDestruction);
}

TEST(PeriodicTimerTest, RefusesAZeroPeriodAndASecondStartAndKillsWithoutStartHarmlessly)
{
    platform::PeriodicTimer timer;
    timer.Kill();
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_FALSE(timer.Start(0, [] {}));
    EXPECT_FALSE(timer.Start(5, nullptr));
    ASSERT_TRUE(timer.Start(50, [] {}));
    EXPECT_FALSE(timer.Start(50, [] {}));
}

TEST(PeriodicTimerTest, StartsAgainAfterKill)
{
    Counter first;
    Counter second;
    platform::PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(1, [&] { first.Tick(); }));
    ASSERT_TRUE(first.WaitFor(1));
    timer.Kill();
    ASSERT_TRUE(timer.Start(1, [&] { second.Tick(); }));
    EXPECT_TRUE(second.WaitFor(2));
}

TEST(PeriodicTimerTest, KillFromItsOwnCallbackStopsWithoutDeadlock)
{
    Counter counter;
    platform::PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(1, [&] {
        timer.Kill();
        counter.Tick();
    }));
    ASSERT_TRUE(counter.WaitFor(1));
    timer.Kill();
    EXPECT_EQ(counter.Count(), 1);
    EXPECT_FALSE(timer.IsRunning());
}

}  // namespace
