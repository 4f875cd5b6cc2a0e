#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/Canvas.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

// Paints Windows-1252 text with FreeType from one outline font, with a vertical colour
// gradient, an outline and a drop shadow. A painter that could not open its font paints nothing
// and measures 0 (its one log line says why).
class TextPainter {
public:
    struct Style {
        int pixelSize = 24;
        Rgba top{255, 255, 255, 255};
        Rgba bottom{255, 255, 255, 255};
        Rgba outline{0, 0, 0, 0};
        int outlineWidth = 0;
        Rgba shadow{0, 0, 0, 0};
        int shadowOffset = 0;
    };

    // A coverage map of rendered text: one byte per pixel, `baseline` rows from the top.
    struct Coverage {
        int width = 0;
        int height = 0;
        int baseline = 0;
        std::vector<uint8_t> values;
    };

    explicit TextPainter(const std::string& fontFile);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    bool IsOpen() const { return face != nullptr; }
    int Measure(const std::string& text, int pixelSize);
    Coverage Render(const std::string& text, int pixelSize);

    // Draws with the line's top at y; the outline and shadow extend beyond it.
    void Draw(Canvas& canvas, int x, int y, const std::string& text, const Style& style);
    void DrawCentred(Canvas& canvas, int centreX, int y, const std::string& text, const Style& style);

    // The DejaVu faces the forge uses.
    static std::string FontPath(const char* fileName);

private:
    bool SetSize(int pixelSize);

    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
};
