#include "core/Canvas.h"

Canvas::Canvas(int w, int h, Rgba fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

void Canvas::Set(int x, int y, Rgba colour)
{
    if (Contains(x, y)) {
        At(x, y) = colour;
    }
}

void Canvas::Blend(int x, int y, Rgba colour)
{
    if (!Contains(x, y) || colour.a == 0) {
        return;
    }
    Rgba& under = At(x, y);
    int a = colour.a;
    auto mix = [a](int top, int bottom) { return static_cast<uint8_t>((top * a + bottom * (255 - a) + 127) / 255); };
    under.r = mix(colour.r, under.r);
    under.g = mix(colour.g, under.g);
    under.b = mix(colour.b, under.b);
    under.a = static_cast<uint8_t>(a + under.a * (255 - a) / 255);
}

void Canvas::Fill(Rgba colour)
{
    for (Rgba& pixel : pixels) {
        pixel = colour;
    }
}

void Canvas::Paste(const Canvas& source, int x, int y)
{
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) {
            Blend(x + sx, y + sy, source.At(sx, sy));
        }
    }
}
