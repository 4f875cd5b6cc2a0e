#pragma once

#include <memory>
#include <string>

#include "util/Singleton.h"

union SDL_Event;
struct SDL_Renderer;
struct SDL_Window;

namespace platform {

// The editor's windows (Dear ImGui) drawn over the presented frame of a window. The editor
// issues its ImGui calls between BeginFrame and EndFrame; the presenter draws what they made
// after the game's frame. Input goes to ImGui first: what it wants (a click on an editor
// window, typing into a field) does not reach the game. Full screen shows nothing.
class ImGuiLayer : public Singleton<ImGuiLayer> {
public:
    ImGuiLayer();
    ~ImGuiLayer() override;

    void SetVisible(bool visible);
    bool IsVisible() const { return visible; }

    // False when nothing can be drawn now (hidden, full screen, no window shown yet); the
    // caller then makes no ImGui calls and does not call EndFrame.
    bool BeginFrame();
    void EndFrame();

    // Window positions and sizes in ImGui's own text form, so that a caller can keep them in a
    // file of its own. Before the first frame Layout is what was restored (empty if nothing was).
    void RestoreLayout(const std::string& text);
    // Taking the layout counts as saving it: LayoutChanged is false until the next change.
    std::string Layout();
    bool LayoutChanged() const;

    // For the platform layer: the presenter attaches its window and renderer and draws the
    // last finished frame over its picture; the event pump offers every event, which is
    // swallowed (true) when ImGui wants it.
    void Attach(SDL_Window* window, SDL_Renderer* renderer, bool fullScreen);
    void Detach(SDL_Renderer* renderer);
    void DrawOver(SDL_Renderer* renderer);
    bool Offer(const SDL_Event& event);

private:
    struct State;
    bool IsShowing() const;

    std::unique_ptr<State> state;
    bool visible = false;
};

}  // namespace platform
