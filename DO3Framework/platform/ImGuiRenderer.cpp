#include "platform/ImGuiRenderer.h"

#include <SDL.h>

#include <algorithm>

#include "imgui.h"

namespace platform {

namespace {

// ImGui packs vertex colours as bytes R, G, B, A in memory, the layout of SDL_Color.
static_assert(sizeof(ImU32) == sizeof(SDL_Color));

SDL_Texture* CreateFontTexture(SDL_Renderer* renderer)
{
    ImGuiIO& io = ImGui::GetIO();
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
    if (!texture) {
        return nullptr;
    }
    SDL_UpdateTexture(texture, nullptr, pixels, width * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    // The atlas's anti-aliased line strokes are made for bilinear sampling.
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    io.Fonts->SetTexID(texture);
    return texture;
}

void DrawTriangles(SDL_Renderer* renderer, const ImDrawList& list, const ImDrawCmd& command)
{
    const ImDrawVert* vertices = list.VtxBuffer.Data + command.VtxOffset;
    const ImDrawIdx* indices = list.IdxBuffer.Data + command.IdxOffset;
    const int stride = sizeof(ImDrawVert);
    SDL_RenderGeometryRaw(renderer, static_cast<SDL_Texture*>(command.GetTexID()), &vertices->pos.x, stride,
                          reinterpret_cast<const SDL_Color*>(&vertices->col), stride, &vertices->uv.x, stride,
                          list.VtxBuffer.Size - static_cast<int>(command.VtxOffset), indices,
                          static_cast<int>(command.ElemCount), sizeof(ImDrawIdx));
}

}  // namespace

std::unique_ptr<ImGuiRenderer> ImGuiRenderer::Create(SDL_Renderer* renderer)
{
    SDL_Texture* fontTexture = CreateFontTexture(renderer);
    if (!fontTexture) {
        return nullptr;
    }
    ImGuiIO& io = ImGui::GetIO();
    io.BackendRendererName = "platform::ImGuiRenderer";
    io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;
    return std::unique_ptr<ImGuiRenderer>(new ImGuiRenderer(renderer, fontTexture));
}

ImGuiRenderer::ImGuiRenderer(SDL_Renderer* drawRenderer, SDL_Texture* font)
    : renderer(drawRenderer), fontTexture(font)
{
}

ImGuiRenderer::~ImGuiRenderer()
{
    // Once video has shut down the renderer, and the texture with it, is gone.
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_DestroyTexture(fontTexture);
    }
}

void ImGuiRenderer::Draw(const ImDrawData& data)
{
    int outputWidth = 0;
    int outputHeight = 0;
    if (data.DisplaySize.x <= 0 || data.DisplaySize.y <= 0 ||
        SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0) {
        return;
    }
    float oldScaleX = 1;
    float oldScaleY = 1;
    SDL_BlendMode oldBlendMode = SDL_BLENDMODE_NONE;
    SDL_RenderGetScale(renderer, &oldScaleX, &oldScaleY);
    SDL_GetRenderDrawBlendMode(renderer, &oldBlendMode);
    // ImGui works in window coordinates; a high-density output has more pixels than those.
    SDL_RenderSetScale(renderer, outputWidth / data.DisplaySize.x, outputHeight / data.DisplaySize.y);
    // Untextured triangles blend by the renderer's draw mode.
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    for (int i = 0; i < data.CmdListsCount; ++i) {
        DrawList(*data.CmdLists[i], data.DisplayPos);
    }
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, oldBlendMode);
    SDL_RenderSetScale(renderer, oldScaleX, oldScaleY);
}

void ImGuiRenderer::DrawList(const ImDrawList& list, const ImVec2& origin)
{
    for (const ImDrawCmd& command : list.CmdBuffer) {
        if (command.UserCallback) {
            // A reset request asks for nothing here: every command sets all the state it uses.
            if (command.UserCallback != ImDrawCallback_ResetRenderState) {
                command.UserCallback(&list, &command);
            }
        } else if (ClipTo(command.ClipRect, origin)) {
            DrawTriangles(renderer, list, command);
        }
    }
}

bool ImGuiRenderer::ClipTo(const ImVec4& clip, const ImVec2& origin)
{
    float left = std::max(clip.x - origin.x, 0.0f);
    float top = std::max(clip.y - origin.y, 0.0f);
    float right = clip.z - origin.x;
    float bottom = clip.w - origin.y;
    if (right <= left || bottom <= top) {
        return false;
    }
    SDL_Rect rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                  static_cast<int>(bottom - top)};
    SDL_RenderSetClipRect(renderer, &rect);
    return true;
}

}  // namespace platform
