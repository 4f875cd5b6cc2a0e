#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/Singleton.h"

// The debugging overlay: shapes in logical-frame pixels (1024 x 768) that the game hands in
// while it renders a frame, drawn over the presented frame once the render engine has flushed
// it, then forgotten. Only shown with the editor, in a window; while disabled nothing is
// collected.
class DebugDisplay : public Singleton<DebugDisplay> {
public:
    struct Point {
        float x = 0.0f;
        float y = 0.0f;
    };

    bool IsEnabled() const { return enabled; }
    void SetEnabled(bool on);

    // Colours are 0xRRGGBB; alpha is the overlay's own.
    void Polyline(const std::vector<Point>& points, uint32_t colour, bool closed);
    void Text(Point at, const std::string& text, uint32_t colour);
    void FilledQuad(const Point (&corners)[4], uint32_t colour);

    // Draws the shapes of this frame onto the editor's background (inside an editor frame)
    // and forgets them.
    void Draw();
    // Drops this frame's shapes undrawn (no editor frame to draw them in).
    void Forget() { shapes.clear(); }
    size_t ShapeCount() const { return shapes.size(); }

private:
    struct Shape {
        enum class Kind { Polyline, ClosedPolyline, Text, Quad } kind = Kind::Polyline;
        std::vector<Point> points;
        std::string text;
        uint32_t colour = 0;
    };

    bool enabled = false;
    std::vector<Shape> shapes;
};
