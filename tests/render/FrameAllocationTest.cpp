#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <cstdlib>
#include <new>

#include "../sprites/ScreenFixture.h"
#include "TestScene.h"

// Every allocation of this test program passes through here and is counted.
namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory) {
        std::abort();
    }
    return memory;
}

// The replacement pair allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace {

class FrameAllocationTest : public ScreenTest {};

TEST_P(FrameAllocationTest, QueuingAndDrawingAFrameAllocatesNothing)
{
    long counted = allocations.load();
    auto probe = std::make_unique<int>(1);
    ASSERT_GT(allocations.load(), counted) << "the counter must see allocations";
    TestScene scene;
    RenderEngine& engine = RenderEngine::Instance();
    // A frame drawn first: a figure's frame is unpacked once, at its first draw.
    engine.Clear();
    scene.Queue();
    engine.Flush();
    engine.Clear();
    long before = allocations.load();
    for (int frame = 0; frame < 3; ++frame) {
        engine.Clear();
        for (int copy = 0; copy < 20; ++copy) {
            scene.Queue();
        }
        engine.Flush();
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(engine.GetDepthQueue().size(), 180u);
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, FrameAllocationTest, testing::Values(kScreen565, kScreen8888), ScreenCaseName);

}  // namespace
