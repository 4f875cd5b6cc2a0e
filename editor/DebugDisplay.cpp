#include "editor/DebugDisplay.h"

#include "display/DirectDraw.h"
#include "imgui.h"
#include "platform/Viewport.h"

namespace {

// Light enough to see the board through, strong enough to read on it.
constexpr uint32_t kLineAlpha = 0xE0;
constexpr uint32_t kFillAlpha = 0x60;

ImU32 ToImGui(uint32_t rgb, uint32_t alpha)
{
    return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, alpha);
}

}  // namespace

void DebugDisplay::SetEnabled(bool on)
{
    enabled = on;
    shapes.clear();
}

void DebugDisplay::Polyline(const std::vector<Point>& points, uint32_t colour, bool closed)
{
    if (enabled && points.size() >= 2) {
        shapes.push_back({closed ? Shape::Kind::ClosedPolyline : Shape::Kind::Polyline, points, {}, colour});
    }
}

void DebugDisplay::Text(Point at, const std::string& text, uint32_t colour)
{
    if (enabled) {
        shapes.push_back({Shape::Kind::Text, {at}, text, colour});
    }
}

void DebugDisplay::FilledQuad(const Point (&corners)[4], uint32_t colour)
{
    if (enabled) {
        shapes.push_back({Shape::Kind::Quad, {corners[0], corners[1], corners[2], corners[3]}, {}, colour});
    }
}

void DebugDisplay::Draw()
{
    platform::Viewport viewport = platform::CurrentViewport();
    if (viewport.width <= 0 || shapes.empty()) {
        shapes.clear();
        return;
    }
    float scaleX = static_cast<float>(viewport.width) / DirectDraw::kFrameWidth;
    float scaleY = static_cast<float>(viewport.height) / DirectDraw::kFrameHeight;
    auto toWindow = [&](Point p) {
        return ImVec2(static_cast<float>(viewport.x) + p.x * scaleX, static_cast<float>(viewport.y) + p.y * scaleY);
    };
    ImDrawList* list = ImGui::GetBackgroundDrawList();
    for (const Shape& shape : shapes) {
        std::vector<ImVec2> points;
        for (Point p : shape.points) {
            points.push_back(toWindow(p));
        }
        switch (shape.kind) {
        case Shape::Kind::Polyline:
        case Shape::Kind::ClosedPolyline:
            list->AddPolyline(points.data(), static_cast<int>(points.size()), ToImGui(shape.colour, kLineAlpha),
                              shape.kind == Shape::Kind::ClosedPolyline ? ImDrawFlags_Closed : ImDrawFlags_None,
                              1.5f);
            break;
        case Shape::Kind::Quad:
            list->AddQuadFilled(points[0], points[1], points[2], points[3], ToImGui(shape.colour, kFillAlpha));
            break;
        case Shape::Kind::Text:
            list->AddText(points[0], ToImGui(shape.colour, 0xFF), shape.text.c_str());
            break;
        }
    }
    shapes.clear();
}
