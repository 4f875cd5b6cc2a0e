#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A colour as 0x00RRGGBB; in memory (little-endian) blue, green, red, 0, as palette entries are.
using Color = uint32_t;

constexpr Color MakeColor(int red, int green, int blue)
{
    return static_cast<Color>((red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF));
}
constexpr int ColorRed(Color color) { return (color >> 16) & 0xFF; }
constexpr int ColorGreen(Color color) { return (color >> 8) & 0xFF; }
constexpr int ColorBlue(Color color) { return color & 0xFF; }

// A picture in main memory. Rows run top to bottom without padding. Depth 1: one bit per pixel,
// most significant first, a set bit black; 8: palette indices (256 entries); 16 and 32: pixels
// in the screen format; 24: blue, green, red as loaded (converted images: the screen's byte
// order). After RunLengthEncode the pixels hold the run-length stream instead.
class Image {
public:
    Image() = default;

    // Frees the old contents; depth 8 gets a grey palette. False for a depth other than
    // 1, 8, 16, 24 or 32 or a size outside 1..16384.
    bool Create(int width, int height, int depth, bool clear);
    // Back to an empty image without pixels or palette.
    void Clear();

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetDepth() const { return depth; }
    int BytesPerPixel() const { return depth / 8; }
    // Bytes of one row for depths 8 to 32 (1-bit rows are not byte-aligned).
    int RowBytes() const { return width * depth / 8; }
    bool IsEmpty() const { return pixels.empty(); }

    uint8_t* GetData() { return pixels.data(); }
    const uint8_t* GetData() const { return pixels.data(); }
    size_t GetDataSize() const { return pixels.size(); }
    // Replaces the pixel buffer (run-length coding does this).
    void SetData(std::vector<uint8_t> data) { pixels = std::move(data); }
    uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * RowBytes(); }
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * RowBytes(); }

    // 256 entries, or null when the image has none.
    Color* GetPalette() { return palette.empty() ? nullptr : palette.data(); }
    const Color* GetPalette() const { return palette.empty() ? nullptr : palette.data(); }
    void SetPalette(const Color* entries);
    void RemovePalette() { palette.clear(); }
    int FindPaletteIndex(Color color) const;

    // Positions must lie inside the picture; 16- and 32-bit pixels go through the screen format.
    Color GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);
    void MirrorHorizontal();

    bool IsEncoded() const { return encoded; }
    int GetEncodedSize() const { return encodedSize; }
    void MarkEncoded(int size)
    {
        encoded = true;
        encodedSize = size;
    }

private:
    void MirrorBits();

    int width = 0;
    int height = 0;
    int depth = 0;
    int encodedSize = 0;
    std::vector<uint8_t> pixels;
    std::vector<Color> palette;
    bool encoded = false;
};
