#pragma once

#include <memory>

struct ImDrawData;
struct ImDrawList;
struct ImVec2;
struct ImVec4;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

// Draws finished ImGui frames with an SDL renderer, software or accelerated: the font atlas
// becomes a texture of that renderer, each draw command a clipped list of triangles.
class ImGuiRenderer {
public:
    // Needs the current ImGui context, whose font atlas it uploads. Null when the renderer
    // cannot make the texture.
    static std::unique_ptr<ImGuiRenderer> Create(SDL_Renderer* renderer);
    ~ImGuiRenderer();
    ImGuiRenderer(const ImGuiRenderer&) = delete;
    ImGuiRenderer& operator=(const ImGuiRenderer&) = delete;

    // Draws over what the renderer holds; its clip, scale and blend mode are restored after.
    void Draw(const ImDrawData& data);

private:
    ImGuiRenderer(SDL_Renderer* renderer, SDL_Texture* fontTexture);
    void DrawList(const ImDrawList& list, const ImVec2& origin);
    bool ClipTo(const ImVec4& clip, const ImVec2& origin);

    SDL_Renderer* renderer;
    SDL_Texture* fontTexture;
};

}  // namespace platform
