#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// Anti-aliased coverage of one glyph, placed relative to the pen on the baseline.
struct GlyphCoverage {
    int width = 0;
    int height = 0;
    int left = 0;     // first column, from the pen
    int top = 0;      // first row, above the baseline (positive upwards)
    int advance = 0;  // pen step in whole pixels
    std::vector<uint8_t> coverage;

    uint8_t At(int x, int y) const
    {
        return x < 0 || y < 0 || x >= width || y >= height ? 0 : coverage[static_cast<size_t>(y) * width + x];
    }
};

// Renders Windows-1252 characters from an outline font file at one pixel size.
class GlyphRasterizer {
public:
    GlyphRasterizer(const std::string& fontFile, int pixelSize);
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    bool Ok() const { return face != nullptr; }
    // An empty coverage (advance 0) when the font has no such character or is not open.
    GlyphCoverage Render(unsigned char code) const;

    static char32_t ToUnicode(unsigned char code);

private:
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
};
