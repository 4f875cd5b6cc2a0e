#include "platform/ImGuiLayer.h"

#include <SDL.h>

#include <bitset>
#include <vector>

#include "backends/imgui_impl_sdl.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "platform/ImGuiRenderer.h"

namespace platform {

namespace {

// The editor's own toggles and the quit key work whatever has the keyboard.
bool IsGameKey(SDL_Keycode key)
{
    return key == SDLK_F8 || key == SDLK_F9 || key == SDLK_F10 || key == SDLK_F12;
}

// Whether the point lies on a shown editor window, as ImGui itself decides hovering; events
// arrive between frames, so this looks at the windows of the last finished frame.
bool EditorWindowAt(float x, float y)
{
    ImGuiContext& context = *ImGui::GetCurrentContext();
    for (const ImGuiWindow* window : context.Windows) {
        if (!window->Active || window->Hidden || (window->Flags & ImGuiWindowFlags_NoMouseInputs)) {
            continue;
        }
        ImRect bounds = window->Rect();
        // Resize grips of a top-level window reach a little beyond it.
        if (!(window->Flags & (ImGuiWindowFlags_ChildWindow | ImGuiWindowFlags_NoResize))) {
            bounds.Expand(context.WindowsHoverPadding);
        }
        if (bounds.Contains(ImVec2(x, y))) {
            return true;
        }
    }
    return false;
}

// An open popup takes every click, so that a click beside it only closes it.
bool EditorWantsMouseAt(int x, int y)
{
    return ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopup) ||
           EditorWindowAt(static_cast<float>(x), static_cast<float>(y));
}

}  // namespace

struct ImGuiLayer::State {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    bool fullScreen = false;
    ImGuiContext* context = nullptr;
    bool platformStarted = false;
    std::unique_ptr<ImGuiRenderer> drawer;
    std::string pendingLayout;
    bool frameOpen = false;
    // Whoever got a press gets its release and, for the mouse, the drag in between.
    std::bitset<SDL_NUM_SCANCODES> editorKeys;
    std::bitset<256> editorButtons;
    std::bitset<256> gameButtons;
    // This ImGui reads keys as held or not once a frame: a release in the frame of its press
    // would make the press vanish, so such releases wait for the next frame.
    std::bitset<SDL_NUM_SCANCODES> pressedThisFrame;
    std::vector<SDL_Event> heldReleases;

    void CreateContext();
    void StartPlatform();
    void StopPlatform();
    void ReleaseInput();
    bool TakeKey(const SDL_KeyboardEvent& key);
    bool TakeButton(const SDL_MouseButtonEvent& button);
    bool TakeMotion(const SDL_MouseMotionEvent& motion) const;
    void Feed(const SDL_Event& event);
    void FeedHeldReleases();
};

void ImGuiLayer::State::Feed(const SDL_Event& event)
{
    if (event.type == SDL_KEYDOWN) {
        pressedThisFrame[event.key.keysym.scancode] = true;
    } else if (event.type == SDL_KEYUP && pressedThisFrame[event.key.keysym.scancode]) {
        heldReleases.push_back(event);
        return;
    }
    ImGui_ImplSDL2_ProcessEvent(&event);
}

void ImGuiLayer::State::FeedHeldReleases()
{
    pressedThisFrame.reset();
    for (const SDL_Event& release : heldReleases) {
        ImGui_ImplSDL2_ProcessEvent(&release);
    }
    heldReleases.clear();
}

void ImGuiLayer::State::CreateContext()
{
    context = ImGui::CreateContext();
    // The editor keeps the layout in a file of its own.
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::LoadIniSettingsFromMemory(pendingLayout.data(), pendingLayout.size());
    pendingLayout.clear();
    StartPlatform();
}

void ImGuiLayer::State::StartPlatform()
{
    if (context && window && !platformStarted) {
        platformStarted = ImGui_ImplSDL2_InitForSDLRenderer(window);
    }
}

void ImGuiLayer::State::StopPlatform()
{
    if (platformStarted) {
        ImGui_ImplSDL2_Shutdown();
        platformStarted = false;
    }
}

// Releases that happen while hidden never reach ImGui or these records.
void ImGuiLayer::State::ReleaseInput()
{
    editorKeys.reset();
    editorButtons.reset();
    gameButtons.reset();
    pressedThisFrame.reset();
    heldReleases.clear();
    if (platformStarted) {
        ImGui::GetIO().AddFocusEvent(false);
        SDL_SetCursor(SDL_GetDefaultCursor());
    }
}

bool ImGuiLayer::State::TakeKey(const SDL_KeyboardEvent& key)
{
    if (IsGameKey(key.keysym.sym)) {
        return false;
    }
    SDL_Scancode code = key.keysym.scancode;
    bool down = key.type == SDL_KEYDOWN;
    if (down && !key.repeat) {
        editorKeys[code] = ImGui::GetIO().WantCaptureKeyboard;
    }
    bool taken = editorKeys[code];
    if (!down) {
        editorKeys[code] = false;
    }
    return taken;
}

bool ImGuiLayer::State::TakeButton(const SDL_MouseButtonEvent& button)
{
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    if (down) {
        bool wanted = EditorWantsMouseAt(button.x, button.y);
        editorButtons[button.button] = wanted;
        gameButtons[button.button] = !wanted;
    }
    bool taken = editorButtons[button.button];
    if (!down) {
        editorButtons[button.button] = false;
        gameButtons[button.button] = false;
    }
    return taken;
}

bool ImGuiLayer::State::TakeMotion(const SDL_MouseMotionEvent& motion) const
{
    if (editorButtons.any() || gameButtons.any()) {
        return editorButtons.any();
    }
    return EditorWantsMouseAt(motion.x, motion.y);
}

ImGuiLayer::ImGuiLayer() : state(std::make_unique<State>()) {}

ImGuiLayer::~ImGuiLayer()
{
    Detach(state->renderer);
    if (state->context) {
        ImGui::DestroyContext(state->context);
    }
}

void ImGuiLayer::SetVisible(bool show)
{
    if (visible && !show) {
        state->ReleaseInput();
    }
    visible = show;
}

bool ImGuiLayer::IsShowing() const
{
    return visible && state->renderer && !state->fullScreen;
}

bool ImGuiLayer::BeginFrame()
{
    if (!IsShowing() || state->frameOpen) {
        return false;
    }
    if (!state->context) {
        state->CreateContext();
    }
    if (!state->platformStarted) {
        return false;
    }
    if (!state->drawer) {
        state->drawer = ImGuiRenderer::Create(state->renderer);
    }
    if (!state->drawer) {
        return false;
    }
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    state->FeedHeldReleases();
    state->frameOpen = true;
    return true;
}

void ImGuiLayer::EndFrame()
{
    if (state->frameOpen) {
        ImGui::Render();
        state->frameOpen = false;
    }
}

void ImGuiLayer::RestoreLayout(const std::string& text)
{
    if (state->context) {
        ImGui::LoadIniSettingsFromMemory(text.data(), text.size());
    } else {
        state->pendingLayout = text;
    }
}

std::string ImGuiLayer::Layout()
{
    if (!state->context) {
        return state->pendingLayout;
    }
    size_t size = 0;
    const char* text = ImGui::SaveIniSettingsToMemory(&size);
    ImGui::GetIO().WantSaveIniSettings = false;
    return std::string(text, size);
}

bool ImGuiLayer::LayoutChanged() const
{
    return state->context && ImGui::GetIO().WantSaveIniSettings;
}

void ImGuiLayer::Attach(SDL_Window* window, SDL_Renderer* renderer, bool fullScreen)
{
    if (window != state->window || renderer != state->renderer) {
        Detach(state->renderer);
    }
    state->window = window;
    state->renderer = renderer;
    state->fullScreen = fullScreen;
    state->StartPlatform();
}

void ImGuiLayer::Detach(SDL_Renderer* renderer)
{
    if (renderer != state->renderer) {
        return;
    }
    // The font texture dies with the renderer; the frame drawn with it must not be drawn again,
    // which the next frame's start ensures.
    state->drawer.reset();
    state->StopPlatform();
    state->window = nullptr;
    state->renderer = nullptr;
}

void ImGuiLayer::DrawOver(SDL_Renderer* renderer)
{
    if (!IsShowing() || renderer != state->renderer || !state->drawer) {
        return;
    }
    // No draw data while a frame is open or before the first one ends.
    if (const ImDrawData* data = ImGui::GetDrawData()) {
        state->drawer->Draw(*data);
    }
}

bool ImGuiLayer::Offer(const SDL_Event& event)
{
    if (!IsShowing() || !state->platformStarted) {
        return false;
    }
    state->Feed(event);
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return state->TakeKey(event.key);
    case SDL_TEXTINPUT:
        return ImGui::GetIO().WantCaptureKeyboard;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return state->TakeButton(event.button);
    case SDL_MOUSEMOTION:
        return state->TakeMotion(event.motion);
    case SDL_MOUSEWHEEL:
        return ImGui::GetIO().WantCaptureMouse;
    default:
        return false;
    }
}

}  // namespace platform
