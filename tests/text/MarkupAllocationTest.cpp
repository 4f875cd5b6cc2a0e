#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "spritemanager/SpriteTestSupport.h"
#include "text/FontLoaderUtil.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
}  // namespace

// Counts the allocations of this test program while a test asks for it.
void* operator new(std::size_t size)
{
    if (counting) {
        ++allocations;
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

// Out of line, so that the compiler does not pair the inlined malloc and free with new and delete.
[[gnu::noinline]] void operator delete(void* block) noexcept
{
    std::free(block);
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

class MarkupAllocationTest : public GraphicsTest {};

TEST_F(MarkupAllocationTest, RepeatedMarkupDrawsDoNotAllocate)
{
    dir.Write("data/fonts/block.bmp", Bmp24(3, 2, {0xFFFFFF, 0xFFFFFF, 0xFF00FF, 0xFFFFFF, 0xFFFFFF, 0xFF00FF}));
    ASSERT_TRUE(FontLoaderUtil::Instance().LoadFont("block", 5, 1, 10, "a<"));
    TextDisplay& text = TextDisplay::Instance();
    text.SetFont("block");
    text.SetRect(100, 50, 40, 100);
    const char* markup = "<center>aaa a</center><br><font block><valign bottom>a &lt;a</valign></font> aaaaaaaaaaaa";

    // The first layout of a text sizes the working lists (and shows the counter works).
    counting = true;
    text.DrawMarkup(markup);
    counting = false;
    EXPECT_GT(allocations, 0);

    RenderEngine::Instance().Clear();
    allocations = 0;
    counting = true;
    text.DrawMarkup(markup);
    text.DrawMarkup("a a");
    counting = false;
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(RenderEngine::Instance().GetDepthQueue().size(), 0u);
}

}  // namespace
