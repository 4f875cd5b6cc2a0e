#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An RGBA picture the forge paints into; alpha is coverage (0 empty, 255 solid).
struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Rgba fill = {});

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Writes only inside the canvas.
    void Set(int x, int y, Rgba colour);
    // Blends colour over the pixel by the colour's alpha.
    void Blend(int x, int y, Rgba colour);
    void Fill(Rgba colour);
    // Copies (alpha-blends) another canvas with its top-left at (x, y).
    void Paste(const Canvas& source, int x, int y);

private:
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
};
