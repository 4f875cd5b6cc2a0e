#include "images/Image.h"

#include <algorithm>
#include <cstring>

#include "app/Debug.h"
#include "display/DirectDraw.h"

namespace {

constexpr int kMaxSide = 16384;
constexpr size_t kMaxBytes = size_t{256} << 20;

size_t BufferBytes(int width, int height, int depth)
{
    size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    return depth == 1 ? (pixels + 7) / 8 : pixels * static_cast<size_t>(depth / 8);
}

uint32_t ReadValue(const uint8_t* pixel, int bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, pixel, static_cast<size_t>(bytes));
    return value;
}

void WriteValue(uint8_t* pixel, int bytes, uint32_t value)
{
    std::memcpy(pixel, &value, static_cast<size_t>(bytes));
}

const ScreenFormat& Screen()
{
    return DirectDraw::Instance().GetScreenFormat();
}

int Channel(uint32_t pixel, uint32_t mask, int shift)
{
    return static_cast<int>((pixel & mask) >> shift);
}

uint32_t PackChannel(int value, int shift, uint32_t mask)
{
    return (static_cast<uint32_t>(value) << shift) & mask;
}

}  // namespace

void Image::Clear()
{
    pixels.clear();
    palette.clear();
    encoded = false;
    encodedSize = 0;
    width = height = depth = 0;
}

// Buffers always start zeroed, so `clear` asks for nothing more.
bool Image::Create(int imageWidth, int imageHeight, int imageDepth, [[maybe_unused]] bool clear)
{
    Clear();
    bool depthOk = imageDepth == 1 || imageDepth == 8 || imageDepth == 16 || imageDepth == 24 || imageDepth == 32;
    bool sizeOk = imageWidth > 0 && imageHeight > 0 && imageWidth <= kMaxSide && imageHeight <= kMaxSide;
    if (!depthOk || !sizeOk || BufferBytes(imageWidth, imageHeight, imageDepth) > kMaxBytes) {
        return false;
    }
    width = imageWidth;
    height = imageHeight;
    depth = imageDepth;
    pixels.assign(BufferBytes(width, height, depth), 0);
    if (depth == 8) {
        palette.resize(256);
        for (int i = 0; i < 256; ++i) {
            palette[i] = MakeColor(i, i, i);
        }
    }
    return true;
}

void Image::SetPalette(const Color* entries)
{
    palette.assign(entries, entries + 256);
}

int Image::FindPaletteIndex(Color color) const
{
    for (size_t i = 0; i < palette.size(); ++i) {
        if ((palette[i] & 0xFFFFFF) == (color & 0xFFFFFF)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

Color Image::GetPixel(int x, int y) const
{
    size_t index = static_cast<size_t>(y) * width + x;
    switch (depth) {
    case 1: return (pixels[index / 8] & (0x80 >> (index % 8))) ? MakeColor(0, 0, 0) : MakeColor(255, 255, 255);
    case 8: return palette.empty() ? MakeColor(pixels[index], pixels[index], pixels[index]) : palette[pixels[index]];
    case 16: {
        const ScreenFormat& screen = Screen();
        uint32_t pixel = ReadValue(&pixels[index * 2], 2);
        return MakeColor(Channel(pixel, screen.redMask, screen.redShift) * 8,
                         Channel(pixel, screen.greenMask, screen.greenShift) * 8,
                         Channel(pixel, screen.blueMask, screen.blueShift) * 8);
    }
    case 24: return ReadValue(&pixels[index * 3], 3);
    case 32: {
        const ScreenFormat& screen = Screen();
        uint32_t pixel = ReadValue(&pixels[index * 4], 4);
        return MakeColor(Channel(pixel, screen.redMask, screen.redShift),
                         Channel(pixel, screen.greenMask, screen.greenShift),
                         Channel(pixel, screen.blueMask, screen.blueShift));
    }
    default: Debug::Instance().Error("Unsuported image depth(%d). GetPixel() failed.\n", depth); return 0;
    }
}

void Image::SetPixel(int x, int y, Color color)
{
    if (encoded) {
        return;
    }
    size_t index = static_cast<size_t>(y) * width + x;
    int red = ColorRed(color);
    int green = ColorGreen(color);
    int blue = ColorBlue(color);
    switch (depth) {
    case 1:
        if (red != 0 && green != 0 && blue != 0) {
            pixels[index / 8] &= static_cast<uint8_t>(~(0x80 >> (index % 8)));
        } else {
            pixels[index / 8] |= static_cast<uint8_t>(0x80 >> (index % 8));
        }
        break;
    case 8: pixels[index] = static_cast<uint8_t>(FindPaletteIndex(color)); break;
    case 16: {
        const ScreenFormat& screen = Screen();
        WriteValue(&pixels[index * 2], 2,
                   PackChannel(red >> 3, screen.redShift, screen.redMask) |
                       PackChannel(green >> 3, screen.greenShift, screen.greenMask) |
                       PackChannel(blue >> 3, screen.blueShift, screen.blueMask));
        break;
    }
    case 24: WriteValue(&pixels[index * 3], 3, color & 0xFFFFFF); break;
    case 32: {
        const ScreenFormat& screen = Screen();
        WriteValue(&pixels[index * 4], 4,
                   PackChannel(red, screen.redShift, screen.redMask) |
                       PackChannel(green, screen.greenShift, screen.greenMask) |
                       PackChannel(blue, screen.blueShift, screen.blueMask));
        break;
    }
    default: Debug::Instance().Error("Unsuported image depth. GetPixel() failed.\n"); break;
    }
}

void Image::MirrorHorizontal()
{
    if (encoded || pixels.empty()) {
        return;
    }
    if (depth == 1) {
        MirrorBits();
        return;
    }
    int bytes = BytesPerPixel();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = Row(y);
        for (int left = 0, right = width - 1; left < right; ++left, --right) {
            std::swap_ranges(row + left * bytes, row + (left + 1) * bytes, row + right * bytes);
        }
    }
}

void Image::MirrorBits()
{
    Image mirrored;
    mirrored.Create(width, height, 1, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mirrored.SetPixel(width - 1 - x, y, GetPixel(x, y));
        }
    }
    pixels = std::move(mirrored.pixels);
}
