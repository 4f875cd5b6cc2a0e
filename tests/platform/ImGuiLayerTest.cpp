#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imgui.h"
#include "platform/Event.h"
#include "platform/EventPump.h"
#include "platform/ImGuiLayer.h"
#include "platform/PixelSurface.h"
#include "platform/Presenter.h"
#include "platform/SyntheticInput.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace {

using platform::Event;
using platform::EventType;
using platform::ImGuiLayer;

constexpr uint32_t kFrameColor = 0xC08040;

// A window of 800 x 600 showing a 1024 x 768 frame of one colour, which fills it exactly.
class ImGuiLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImGuiLayer::Release();
        platform::EventPump::Release();
        ASSERT_TRUE(window.InitVideo("test"));
        ASSERT_TRUE(window.Create("test", 800, 600, false));
        presenter = platform::Presenter::Create(window.Handle(), false);
        ASSERT_TRUE(presenter);
        frame = platform::PixelSurface::Create(1024, 768, platform::PixelFormat::Xrgb8888());
        frame->Fill(nullptr, kFrameColor);
        Drain();
    }

    void TearDown() override
    {
        ImGuiLayer::Release();
        platform::EventPump::Release();
    }

    static ImGuiLayer& layer() { return ImGuiLayer::Instance(); }

    // One editor frame of the given calls, presented over the game's frame.
    void ShowEditorFrame(const std::function<void()>& calls)
    {
        ASSERT_TRUE(layer().BeginFrame());
        calls();
        layer().EndFrame();
        ASSERT_EQ(presenter->Present(*frame), 0);
    }

    uint32_t PixelAt(int x, int y) const
    {
        SDL_Rect rect{x, y, 1, 1};
        uint32_t pixel = 0;
        SDL_RenderReadPixels(SDL_GetRenderer(window.Handle()), &rect, SDL_PIXELFORMAT_RGB888, &pixel, 4);
        return pixel & 0xFFFFFF;
    }

    std::vector<Event> Drain()
    {
        std::vector<Event> events;
        Event event;
        while (platform::EventPump::Instance().Poll(event)) {
            events.push_back(event);
        }
        return events;
    }

    platform::Window window;
    std::unique_ptr<platform::Presenter> presenter;
    std::unique_ptr<platform::PixelSurface> frame;
};

// A window at (100, 100) of 200 x 150 with a red block clipped to (150, 150)-(200, 200).
void ProbeWindow()
{
    ImGui::SetNextWindowPos(ImVec2(100, 100));
    ImGui::SetNextWindowSize(ImVec2(200, 150));
    ImGui::Begin("Probe");
    ImGui::Text("Probe");
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    drawList->PushClipRect(ImVec2(150, 150), ImVec2(200, 200));
    drawList->AddRectFilled(ImVec2(120, 120), ImVec2(280, 240), IM_COL32(255, 0, 0, 255));
    drawList->PopClipRect();
    ImGui::End();
}

TEST_F(ImGuiLayerTest, DrawsNothingAndMakesNoContextUntilShownInAWindow)
{
    EXPECT_FALSE(layer().BeginFrame());
    ASSERT_EQ(presenter->Present(*frame), 0);
    EXPECT_EQ(ImGui::GetCurrentContext(), nullptr);
    EXPECT_EQ(layer().Layout(), "");

    layer().SetVisible(true);
    presenter->SetFullScreen(true);
    EXPECT_FALSE(layer().BeginFrame());
    presenter->SetFullScreen(false);
    ASSERT_TRUE(layer().BeginFrame());
    layer().EndFrame();
}

TEST_F(ImGuiLayerTest, DrawsItsWindowsOverTheFrameHonouringClipsAlsoAfterARendererReset)
{
    layer().SetVisible(true);
    for (int pass = 0; pass < 2; ++pass) {
        ShowEditorFrame(ProbeWindow);
        EXPECT_EQ(PixelAt(50, 50), kFrameColor);
        EXPECT_EQ(PixelAt(400, 300), kFrameColor);
        EXPECT_EQ(PixelAt(310, 240), kFrameColor);
        EXPECT_NE(PixelAt(120, 240), kFrameColor);  // the window's background
        EXPECT_EQ(PixelAt(175, 175), 0xFF0000u);
        EXPECT_NE(PixelAt(130, 175), 0xFF0000u);
        EXPECT_NE(PixelAt(175, 230), 0xFF0000u);

        SDL_Event reset{};
        reset.type = SDL_RENDER_TARGETS_RESET;
        SDL_PushEvent(&reset);
        Drain();
        frame->Restore();
        frame->Fill(nullptr, kFrameColor);
    }
    // Hidden, the next present shows the bare frame.
    layer().SetVisible(false);
    ASSERT_EQ(presenter->Present(*frame), 0);
    EXPECT_EQ(PixelAt(175, 175), kFrameColor);
}

TEST_F(ImGuiLayerTest, InputTheEditorWantsDoesNotReachTheGame)
{
    layer().SetVisible(true);
    // Focusing the field makes it active a frame later; ImGui asks for the keyboard the frame after.
    for (int i = 0; i < 3; ++i) {
        ShowEditorFrame([i] {
            ProbeWindow();
            ImGui::Begin("Probe");
            static char text[16] = "";
            if (i == 0) {
                ImGui::SetKeyboardFocusHere();
            }
            ImGui::InputText("Field", text, sizeof text);
            ImGui::End();
        });
    }
    platform::PushMouseButton(1, true, 1, 150, 120);
    platform::PushMouseMotion(500, 400);
    platform::PushMouseButton(1, false, 1, 500, 400);
    platform::PushMouseButton(1, true, 1, 500, 400);
    platform::PushKey("A", true);
    platform::PushText("a");
    platform::PushKey("F12", true);
    std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EventType::LeftDown);
    EXPECT_EQ(events[0].x, 500);
    EXPECT_EQ(events[1].type, EventType::KeyDown);
    EXPECT_EQ(events[1].key, vk::Function(12));

    // Hidden, the editor takes nothing; a key the game saw pressed is released to it, whoever
    // has the keyboard now.
    layer().SetVisible(false);
    platform::PushMouseButton(1, true, 1, 150, 120);
    platform::PushKey("B", true);
    EXPECT_EQ(Drain().size(), 2u);
    layer().SetVisible(true);
    platform::PushKey("B", false);
    events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::KeyUp);
}

// xdotool's taps and fast typists press and release a key between two frames.
TEST_F(ImGuiLayerTest, AKeyPressedAndReleasedBetweenFramesIsSeenPressedOnce)
{
    layer().SetVisible(true);
    ShowEditorFrame([] {});
    platform::PushKey("Return", true);
    platform::PushKey("Return", false);
    Drain();
    const int enter = ImGui::GetKeyIndex(ImGuiKey_Enter);
    bool pressed = false;
    ShowEditorFrame([&] { pressed = ImGui::IsKeyPressed(enter); });
    EXPECT_TRUE(pressed);
    ShowEditorFrame([&] { pressed = ImGui::IsKeyDown(enter); });
    EXPECT_FALSE(pressed);
}

TEST_F(ImGuiLayerTest, LayoutSurvivesANewContext)
{
    layer().SetVisible(true);
    ShowEditorFrame([] {
        ImGui::GetIO().IniSavingRate = 0.001f;
        ImGui::SetNextWindowPos(ImVec2(40, 30), ImGuiCond_FirstUseEver);
        ImGui::Begin("Kept");
        ImGui::End();
    });
    // ImGui counts the saving time in the time between frames.
    SDL_Delay(5);
    ShowEditorFrame([] {
        ImGui::Begin("Kept");
        ImGui::End();
    });
    EXPECT_TRUE(layer().LayoutChanged());
    std::string layout = layer().Layout();
    EXPECT_FALSE(layer().LayoutChanged());
    EXPECT_NE(layout.find("[Window][Kept]"), std::string::npos);

    ImGuiLayer::Release();
    presenter->SetFullScreen(false);
    layer().SetVisible(true);
    layer().RestoreLayout(layout);
    EXPECT_EQ(layer().Layout(), layout);
    ImVec2 position;
    ShowEditorFrame([&position] {
        ImGui::Begin("Kept");
        position = ImGui::GetWindowPos();
        ImGui::End();
    });
    EXPECT_EQ(position.x, 40);
    EXPECT_EQ(position.y, 30);
}

}  // namespace
