#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Canvas.h"
#include "paint/Colour.h"

// Anti-aliased filled shapes. Coverage comes from the signed distance of each pixel centre to the
// shape's edge, so edges are smooth without supersampling. A shader maps a pixel (x, y) to its
// colour; it is a template parameter so the inner loops stay free of indirect calls. `grow`
// widens the shape by that many pixels, which paints an outline when drawn first in a dark colour.
namespace paint {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

inline double CoverageFromDistance(double distance) { return std::clamp(distance + 0.5, 0.0, 1.0); }

inline void BlendCovered(Canvas& canvas, int x, int y, Rgba colour, double coverage)
{
    if (coverage <= 0.0) {
        return;
    }
    colour.a = ClampByte(colour.a * coverage);
    canvas.Blend(x, y, colour);
}

// A shader that always returns one colour.
struct Solid {
    Rgba colour;
    Rgba operator()(int, int) const { return colour; }
};

// Convex polygon, vertices in either winding order.
template <typename Shader>
void FillConvex(Canvas& canvas, const std::vector<Point>& points, Shader shader, double grow = 0.0)
{
    if (points.size() < 3) {
        return;
    }
    double area = 0.0;
    double minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        area += a.x * b.y - b.x * a.y;
        minX = std::min(minX, a.x);
        maxX = std::max(maxX, a.x);
        minY = std::min(minY, a.y);
        maxY = std::max(maxY, a.y);
    }
    double winding = area >= 0.0 ? 1.0 : -1.0;
    struct Edge {
        double nx, ny, c;
    };
    std::vector<Edge> edges;
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        double dx = b.x - a.x;
        double dy = b.y - a.y;
        double length = std::hypot(dx, dy);
        if (length < 1e-9) {
            continue;
        }
        // Inward normal: inside points give a positive distance.
        double nx = -dy / length * winding;
        double ny = dx / length * winding;
        edges.push_back({nx, ny, -(nx * a.x + ny * a.y)});
    }
    int x0 = std::max(0, static_cast<int>(std::floor(minX - grow - 1)));
    int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(maxX + grow + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(minY - grow - 1)));
    int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(maxY + grow + 1)));
    for (int y = y0; y <= y1; ++y) {
        double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            double px = x + 0.5;
            double distance = 1e9;
            for (const Edge& e : edges) {
                distance = std::min(distance, e.nx * px + e.ny * py + e.c);
            }
            BlendCovered(canvas, x, y, shader(x, y), CoverageFromDistance(distance + grow));
        }
    }
}

// Axis-aligned ellipse around (cx, cy).
template <typename Shader>
void FillEllipse(Canvas& canvas, double cx, double cy, double rx, double ry, Shader shader, double grow = 0.0)
{
    if (rx <= 0.0 || ry <= 0.0) {
        return;
    }
    int x0 = std::max(0, static_cast<int>(std::floor(cx - rx - grow - 1)));
    int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(cx + rx + grow + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(cy - ry - grow - 1)));
    int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(cy + ry + grow + 1)));
    double inner = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y) {
        double dy = y + 0.5 - cy;
        for (int x = x0; x <= x1; ++x) {
            double dx = x + 0.5 - cx;
            double k = std::sqrt(dx * dx / (rx * rx) + dy * dy / (ry * ry));
            double gradient = std::sqrt(dx * dx / (rx * rx * rx * rx) + dy * dy / (ry * ry * ry * ry));
            double distance = gradient > 1e-9 ? (1.0 - k) * k / gradient : inner;
            BlendCovered(canvas, x, y, shader(x, y), CoverageFromDistance(distance + grow));
        }
    }
}

// Rectangle with rounded corners of the given radius.
template <typename Shader>
void FillRoundRect(Canvas& canvas, double left, double top, double right, double bottom, double radius, Shader shader,
                   double grow = 0.0)
{
    radius = std::clamp(radius, 0.0, std::min(right - left, bottom - top) / 2.0);
    int x0 = std::max(0, static_cast<int>(std::floor(left - grow - 1)));
    int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(right + grow + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(top - grow - 1)));
    int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(bottom + grow + 1)));
    for (int y = y0; y <= y1; ++y) {
        double py = y + 0.5;
        double qy = std::max(top + radius - py, py - (bottom - radius));
        for (int x = x0; x <= x1; ++x) {
            double px = x + 0.5;
            double qx = std::max(left + radius - px, px - (right - radius));
            double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
            BlendCovered(canvas, x, y, shader(x, y), CoverageFromDistance(radius - outside + grow));
        }
    }
}

// A thick line with round ends.
template <typename Shader>
void FillCapsule(Canvas& canvas, Point a, Point b, double radius, Shader shader, double grow = 0.0)
{
    double r = radius + grow;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - r - 1)));
    int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + r + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - r - 1)));
    int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + r + 1)));
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double lengthSquared = std::max(dx * dx + dy * dy, 1e-9);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double px = x + 0.5 - a.x;
            double py = y + 0.5 - a.y;
            double t = std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0);
            double distance = std::hypot(px - t * dx, py - t * dy);
            BlendCovered(canvas, x, y, shader(x, y), CoverageFromDistance(r - distance));
        }
    }
}

}  // namespace paint
