#include <string>

#include "DisplayTestSupport.h"
#include "images/BmpLoader.h"
#include "platform/PixelSurface.h"
#include "platform/PlatformResult.h"
#include "platform/SyntheticInput.h"
#include "platform/Viewport.h"
#include "platform/Window.h"

namespace {

using platform::PixelRect;

class DirectDrawTest : public DisplayTest {
protected:
    static bool OpenWindow(platform::Window& window, int width, int height, bool fullScreen)
    {
        return window.InitVideo("Quillmark test") && window.Create("Quillmark test", width, height, fullScreen);
    }
};

TEST_F(DirectDrawTest, WindowedDisplaysTakeTheDesktopDepthAndLogTheirFormat)
{
    platform::OverrideDesktopDepth(16);
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 32, false));
    EXPECT_EQ(Display().GetDepth(), 16);
    EXPECT_FALSE(Display().UsesPreRender());
    EXPECT_EQ(Display().GetRenderTarget(), Display().GetBackBuffer());
    EXPECT_EQ(Display().GetRenderTarget()->Width(), 1024);
    EXPECT_EQ(Display().GetRenderTarget()->Height(), 768);
    std::string log = Log();
    EXPECT_NE(log.find("Available Displaymodes:\n  800 x 600 (16)\n  800 x 600 (24)\n"), std::string::npos) << log;
    EXPECT_NE(log.find("  1024 x 768 (32)\n\n"), std::string::npos) << log;
    EXPECT_NE(log.find("color shift: 11 6 0\ncolor mask: f800 7e0 1f\ncolor indices: 0 0 0 0\n"), std::string::npos)
        << log;
    EXPECT_NE(Display().GetScratchBuffer(), nullptr);
    EXPECT_EQ(Display().GetScratchPixels() * 4, DirectDraw::kScratchBytes);
}

TEST_F(DirectDrawTest, FiveFiveFiveAndThirtyTwoBitScreensDeriveTheirShifts)
{
    platform::OverrideDesktopDepth(16);
    platform::UseRgb555ForSixteenBits(true);
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, false));
    EXPECT_NE(Log().find("color shift: 10 5 0\n"), std::string::npos);
    Singleton<DirectDraw>::Release();
    platform::OverrideDesktopDepth(32);
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, false));
    EXPECT_EQ(Display().GetDepth(), 32);
    const int* index = Display().GetColorIndex();
    EXPECT_EQ((std::vector<int>{index[0], index[1], index[2], index[3]}), (std::vector<int>{2, 1, 0, 3}));
    EXPECT_EQ(Display().GetRedShift(), 16);
    EXPECT_EQ(Display().GetRedMask(), 0xFF0000u);
}

TEST_F(DirectDrawTest, FullScreenModesOtherThanTheFrameDrawIntoAPreRenderBufferAndUnlistedOnesFallBack)
{
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, true));
    EXPECT_TRUE(Display().UsesPreRender());
    EXPECT_EQ(Display().GetBackBuffer()->Width(), 800);
    EXPECT_EQ(Display().GetRenderTarget(), Display().GetPreRenderBuffer());
    EXPECT_EQ(Display().GetRenderTarget()->Width(), 1024);

    // Presenting scales the whole frame into the mode's back buffer.
    Display().GetRenderTarget()->Fill(nullptr, 0xF800);
    Display().Present();
    EXPECT_EQ(Display().GetBackBuffer()->ReadPixel(799, 599), 0xF800u);

    Singleton<DirectDraw>::Release();
    ASSERT_TRUE(Display().Create(nullptr, 1024, 768, 16, true));
    EXPECT_FALSE(Display().UsesPreRender());
    EXPECT_EQ(Display().GetPreRenderBuffer(), nullptr);
    EXPECT_EQ(Display().GetRenderTarget(), Display().GetBackBuffer());

    // Unlisted modes fall back to the largest listed one.
    Singleton<DirectDraw>::Release();
    ASSERT_TRUE(Display().Create(nullptr, 640, 480, 16, true));
    EXPECT_EQ(Display().GetWidth(), 1024);
    EXPECT_EQ(Display().GetHeight(), 768);
    EXPECT_EQ(Display().GetDepth(), 32);
}

TEST_F(DirectDrawTest, SetModeRebuildsOnlyOnChangeAndReportsADepthChange)
{
    platform::OverrideDesktopDepth(16);
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, false));
    int reports = 0;
    Display().SetLostSurfaceHandler([&reports] { ++reports; });
    platform::PixelSurface* before = Display().GetRenderTarget();
    Display().SetMode(800, 600, 16);
    EXPECT_EQ(Display().GetRenderTarget(), before);
    EXPECT_EQ(reports, 0);

    auto spriteSurface = Display().CreateSurface(8, 8);
    Display().SetMode(800, 600, 32);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(spriteSurface->IsLost()) << "sprites rebuild their surfaces in the new format";
    EXPECT_EQ(Display().GetRenderTarget()->Format().bitsPerPixel, 32);
    EXPECT_EQ(Display().GetScreenFormat().redShift, 16);
    EXPECT_TRUE(Display().IsInitialised());
}

TEST_F(DirectDrawTest, AModeThatCannotBeSetKeepsThePreviousOne)
{
    platform::Window window;
    ASSERT_TRUE(OpenWindow(window, 800, 600, true));
    ASSERT_TRUE(Display().Create(&window, 1024, 768, 32, true));
    EXPECT_FALSE(Display().SetMode(0, 0, 32));
    EXPECT_NE(Log().find("DirectDraw::SetMode: 0 x 0 (32) failed, back to 1024 x 768 (32)."), std::string::npos);
    EXPECT_EQ(Display().GetWidth(), 1024);
    ASSERT_NE(Display().GetRenderTarget(), nullptr);
    Display().Present();
    Singleton<DirectDraw>::Release();
}

TEST_F(DirectDrawTest, AWindowNeedsAnUnchangedFrameAgainOnlyAfterItLostItsPicture)
{
    platform::Window window;
    ASSERT_TRUE(OpenWindow(window, 800, 600, false));
    ASSERT_TRUE(Display().Create(&window, 800, 600, 32, false));
    EXPECT_TRUE(Display().NeedsRepaint()) << "nothing presented yet";
    Display().Present();
    EXPECT_FALSE(Display().NeedsRepaint());
    platform::PushWindowExposed(window);
    EXPECT_TRUE(Display().NeedsRepaint());
    Display().Present();
    EXPECT_FALSE(Display().NeedsRepaint());
    Singleton<DirectDraw>::Release();
}

TEST_F(DirectDrawTest, ReleaseFreesTheBuffersInOrderAndLogsEach)
{
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, true));
    size_t start = Log().size();
    EXPECT_TRUE(Display().Release());
    EXPECT_FALSE(Display().IsInitialised());
    EXPECT_EQ(Log().substr(start), "Releasing Pre-Render Buffer.\nReleasing FadeBuffer.\nReleasing BackBuffer.\n"
                                   "Releasing Primary.\nReleasing DD2.\nReleasing DD.\n");
    EXPECT_EQ(Display().GetRenderTarget(), nullptr);
    EXPECT_EQ(Display().GetScratchBuffer(), nullptr);
}

TEST_F(DirectDrawTest, LostBuffersAreReportedAndRestored)
{
    ASSERT_TRUE(Display().Create(nullptr, 1024, 768, 16, true));
    platform::PixelSurface::MarkAllLost();
    Display().ClearSurface(Display().GetBackBuffer());
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0) << "a lost surface is never an error";
    // Without a handler the display restores its own buffers before presenting.
    Display().Present();
    EXPECT_FALSE(Display().GetBackBuffer()->IsLost());
    EXPECT_FALSE(Display().GetFadeBuffer()->IsLost());

    int reports = 0;
    Display().SetLostSurfaceHandler([&reports] { ++reports; });
    Display().GetBackBuffer()->MarkLost();
    Display().ClearSurface(Display().GetBackBuffer());
    EXPECT_EQ(reports, 1);
    Display().RestoreSurfaces();
    EXPECT_FALSE(Display().GetBackBuffer()->IsLost());
}

TEST_F(DirectDrawTest, TheWipeUncoversTheNewFrameColumnByColumn)
{
    ASSERT_TRUE(Display().Create(nullptr, 1024, 768, 32, true));
    platform::PixelSurface* target = Display().GetRenderTarget();
    constexpr uint32_t kOld = 0x00FF00;
    constexpr uint32_t kNew = 0x0000FF;
    target->Fill(nullptr, kOld);
    Display().StartTransition(false);
    Display().UpdateTransition();
    target->Fill(nullptr, kNew);
    Display().SetTransitionPosition(0.5f);
    Display().UpdateTransition();
    // 0.5 x 1056 = 528: the old frame still covers columns 528 and on.
    EXPECT_EQ(target->ReadPixel(527, 767), kNew);
    EXPECT_EQ(target->ReadPixel(528, 0), kOld);
    EXPECT_EQ(target->ReadPixel(1023, 767), kOld);

    target->Fill(nullptr, kNew);
    Display().SetTransitionPosition(1.0f);
    Display().UpdateTransition();
    EXPECT_EQ(target->ReadPixel(1023, 0), kNew);

    Display().StartTransition(true);
    target->Fill(nullptr, kOld);
    Display().UpdateTransition();
    target->Fill(nullptr, kNew);
    Display().SetTransitionPosition(0.25f);
    Display().UpdateTransition();
    // Reverse: the old frame keeps columns 0 to 1024 - 264.
    EXPECT_EQ(target->ReadPixel(759, 0), kOld);
    EXPECT_EQ(target->ReadPixel(760, 0), kNew);
}

TEST_F(DirectDrawTest, SnapshotsWriteTheRenderTargetAsA24BitBitmapAndNeedOne)
{
    platform::OverrideDesktopDepth(16);
    ASSERT_TRUE(Display().Create(nullptr, 800, 600, 16, false));
    platform::PixelSurface* target = Display().GetRenderTarget();
    PixelRect red{0, 0, 512, 384};
    PixelRect green{512, 0, 1024, 384};
    PixelRect blue{0, 384, 512, 768};
    target->Fill(&red, 0xF800);
    target->Fill(&green, 0x07C0);
    target->Fill(&blue, 0x001F);
    ASSERT_TRUE(Display().WriteSnapshot("shot.bmp"));

    auto image = BmpLoader::Instance().Load("shot.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 1024);
    EXPECT_EQ(image->GetHeight(), 768);
    EXPECT_EQ(image->GetDepth(), 24);
    EXPECT_EQ(image->GetPixel(0, 0), MakeColor(255, 0, 0));
    EXPECT_EQ(image->GetPixel(1023, 383), MakeColor(0, 255, 0));
    EXPECT_EQ(image->GetPixel(511, 767), MakeColor(0, 0, 255));
    EXPECT_EQ(image->GetPixel(1023, 767), MakeColor(0, 0, 0));

    Singleton<DirectDraw>::Release();
    EXPECT_FALSE(Display().WriteSnapshot("none.bmp"));
    EXPECT_NE(Log().find("DirectDraw::WriteSnapshot: no render target for <none.bmp>"), std::string::npos);
}

TEST(Viewport, FramesKeepTheirAspectWithBarsAndWindowPositionsMapIntoThem)
{
    platform::Viewport wide = platform::FitViewport(1920, 1080, 1024, 768);
    EXPECT_EQ((std::vector<int>{wide.x, wide.y, wide.width, wide.height}), (std::vector<int>{240, 0, 1440, 1080}));
    platform::Viewport tall = platform::FitViewport(800, 700, 1024, 768);
    EXPECT_EQ((std::vector<int>{tall.x, tall.y, tall.width, tall.height}), (std::vector<int>{0, 50, 800, 600}));
    platform::Viewport exact = platform::FitViewport(800, 600, 800, 600);
    EXPECT_EQ((std::vector<int>{exact.x, exact.y, exact.width, exact.height}), (std::vector<int>{0, 0, 800, 600}));

    // Window positions become viewport positions clamped to it.
    platform::SetCurrentViewport({240, 0, 1440, 1080});
    int x = 0;
    int y = 0;
    platform::MapWindowToViewport(960, 540, x, y);
    EXPECT_EQ(x, 720);
    EXPECT_EQ(y, 540);
    platform::MapWindowToViewport(100, 2000, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1079);
    platform::SetCurrentViewport({});
    platform::MapWindowToViewport(100, 200, x, y);
    EXPECT_EQ(x, 100) << "without a presented frame positions pass unchanged";
}

// Windowed or full screen, the frame is shown as large as its aspect allows, between bars.
TEST_F(DirectDrawTest, PresentingIntoAWindowFitsTheFrameIntoItsClientArea)
{
    for (bool fullScreen : {false, true}) {
        platform::Window window;
        ASSERT_TRUE(OpenWindow(window, 800, fullScreen ? 600 : 700, fullScreen));
        ASSERT_TRUE(Display().Create(&window, 800, 600, 16, fullScreen));
        Display().Present();
        platform::Viewport shown = platform::CurrentViewport();
        platform::Viewport fit = platform::FitViewport(window.ClientWidth(), window.ClientHeight(), 1024, 768);
        EXPECT_GT(shown.width, 0);
        EXPECT_EQ((std::vector<int>{shown.x, shown.y, shown.width, shown.height}),
                  (std::vector<int>{fit.x, fit.y, fit.width, fit.height})) << "full screen " << fullScreen;
        Singleton<DirectDraw>::Release();
        platform::SetCurrentViewport({});
    }
    EXPECT_EQ(Debug::Instance().ErrorCount(), 0) << Log();
}

}  // namespace
