#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DisplayTestSupport.h"
#include "platform/ImGuiLayer.h"
#include "platform/Viewport.h"
#include "platform/Window.h"

namespace {

std::vector<int> Rect(const platform::Viewport& viewport)
{
    return {viewport.x, viewport.y, viewport.width, viewport.height};
}

// A display in a real (headless) window of 800 x 700, which shows the 4:3 frame with bars above
// and below; the dummy video driver's desktop is 1024 x 768.
class FullScreenSwitchTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        ASSERT_TRUE(window.InitVideo("Quillmark test"));
        ASSERT_TRUE(window.Create("Quillmark test", 800, 700, false));
        ASSERT_TRUE(Display().Create(&window, 800, 600, 16, false));
    }

    void TearDown() override
    {
        Singleton<DirectDraw>::Release();
        platform::ImGuiLayer::Release();
        platform::SetCurrentViewport({});
        DisplayTest::TearDown();
    }

    // Presents a frame of one colour; the window shows it afterwards.
    void PresentFrame()
    {
        ASSERT_NE(Display().GetRenderTarget(), nullptr);
        Display().GetRenderTarget()->Fill(nullptr, 0x00FF00);
        Display().Present();
        EXPECT_FALSE(Display().NeedsRepaint());
    }

    platform::Window window;
};

TEST_F(FullScreenSwitchTest, SwitchingBackAndForthKeepsTheFormatAndAPresentableFrameWithAFittingViewport)
{
    int depth = Display().GetDepth();
    std::unique_ptr<platform::PixelSurface> sprite = Display().CreateSurface(32, 32);
    PresentFrame();
    ASSERT_EQ(Rect(platform::CurrentViewport()), (std::vector<int>{0, 50, 800, 600}));

    for (int pass = 0; pass < 2; ++pass) {
        uint32_t generation = Display().GetBufferGeneration();
        ASSERT_TRUE(Display().SetFullScreen(true));
        EXPECT_TRUE(Display().IsFullScreen());
        EXPECT_TRUE(window.IsFullScreen());
        EXPECT_EQ(window.ClientWidth(), 1024);
        EXPECT_EQ(window.ClientHeight(), 768);
        // Mouse positions map into the new window before its first frame.
        EXPECT_EQ(Rect(platform::CurrentViewport()), (std::vector<int>{0, 0, 1024, 768}));
        EXPECT_EQ(Display().GetWidth(), 800) << "full screen takes the configured mode";
        EXPECT_TRUE(Display().UsesPreRender());
        EXPECT_NE(Display().GetBufferGeneration(), generation) << "the buffers are new and must be drawn again";
        EXPECT_TRUE(Display().NeedsRepaint());
        PresentFrame();

        ASSERT_TRUE(Display().SetFullScreen(false));
        EXPECT_FALSE(Display().IsFullScreen());
        EXPECT_FALSE(window.IsFullScreen());
        EXPECT_EQ(window.ClientWidth(), 800) << "the window gets its former size back";
        EXPECT_EQ(window.ClientHeight(), 700);
        EXPECT_EQ(Rect(platform::CurrentViewport()), (std::vector<int>{0, 50, 800, 600}));
        EXPECT_FALSE(Display().UsesPreRender());
        EXPECT_EQ(Display().GetRenderTarget()->Width(), DirectDraw::kFrameWidth);
        PresentFrame();
    }
    EXPECT_EQ(Display().GetDepth(), depth);
    EXPECT_FALSE(sprite->IsLost()) << "sprites keep their pixels";
    EXPECT_TRUE(Display().SetFullScreen(false)) << "the mode shown already is no change";
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0) << Log();
}

TEST_F(FullScreenSwitchTest, AWipeUnderWayKeepsItsCapturedFrameAcrossASwitch)
{
    Display().GetRenderTarget()->Fill(nullptr, 0xFFFFFF);
    Display().StartTransition(false);
    Display().UpdateTransition();
    uint32_t white = Display().GetFadeBuffer()->ReadPixel(10, 10);
    ASSERT_NE(white, 0u);
    ASSERT_TRUE(Display().SetFullScreen(true));
    EXPECT_EQ(Display().GetFadeBuffer()->ReadPixel(10, 10), white);
    EXPECT_TRUE(Display().IsTransitionUnderWay());
}

TEST_F(FullScreenSwitchTest, TheEditorLayerDrawsOnlyInTheWindowAgainAfterASwitch)
{
    platform::ImGuiLayer& layer = platform::ImGuiLayer::Instance();
    layer.SetVisible(true);
    PresentFrame();
    ASSERT_TRUE(layer.BeginFrame());
    layer.EndFrame();
    PresentFrame();

    ASSERT_TRUE(Display().SetFullScreen(true));
    EXPECT_FALSE(layer.BeginFrame());
    PresentFrame();
    ASSERT_TRUE(Display().SetFullScreen(false));
    ASSERT_TRUE(layer.BeginFrame());
    layer.EndFrame();
    PresentFrame();
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0) << Log();
}

TEST(FullScreenSwitchWithoutDisplay, IsRefusedBeforeTheDisplayIsCreated)
{
    Singleton<DirectDraw>::Release();
    EXPECT_FALSE(DirectDraw::Instance().SetFullScreen(true));
    EXPECT_FALSE(DirectDraw::Instance().IsFullScreen());
    Singleton<DirectDraw>::Release();
}

}  // namespace
