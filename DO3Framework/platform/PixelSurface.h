#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/PixelFormat.h"

namespace platform {

// A rectangle of surface pixels, right and bottom exclusive (the blit convention).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Direct access to a locked surface: rows are pitch bytes apart.
struct LockedPixels {
    uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    PixelFormat format;
};

enum BlitFlags : uint32_t {
    kBlitOpaque = 0,
    // Source pixels equal to the source's colour key are skipped.
    kBlitColorKey = 1,
};

// An off-screen frame-buffer surface: a CPU pixel buffer in the screen format. Blits clip to
// both surfaces (a stretched blit moves the source edges with the clipped destination), so a
// rectangle reaching past an edge is drawn in part. A rectangle with right < left or
// bottom < top is refused with kResultInvalidRect. Every operation of a lost surface answers
// kResultSurfaceLost until Restore, whose contents are undefined and must be drawn again; until
// then its pixels stay in main memory, readable through Row.
// Results are PlatformResult codes.
class PixelSurface {
public:
    // Null for a size outside 1..16384 or an unsupported format.
    static std::unique_ptr<PixelSurface> Create(int width, int height, const PixelFormat& format);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int Width() const { return width; }
    int Height() const { return height; }
    int Pitch() const { return pitch; }
    const PixelFormat& Format() const { return format; }
    PixelRect Bounds() const { return {0, 0, width, height}; }

    // The pixel value that colour-keyed blits from this surface skip; 0 (black) by default.
    void SetColorKey(uint32_t key) { colorKey = key; }
    uint32_t ColorKey() const { return colorKey; }

    // Fills the rectangle (null: the whole surface) with a pixel value of this format.
    int32_t Fill(const PixelRect* rect, uint32_t color);
    // Copies the source rectangle (null: the whole source) unscaled to (x, y).
    int32_t Blit(int x, int y, const PixelSurface& source, const PixelRect* sourceRect, uint32_t flags);
    // Scales the source rectangle into the destination rectangle (null: whole surfaces) by
    // nearest neighbour; an unscaled pair takes the plain blit.
    int32_t StretchBlit(const PixelRect* destRect, const PixelSurface& source, const PixelRect* sourceRect,
                        uint32_t flags);

    // A surface is locked by one user at a time; a second lock answers kResultSurfaceBusy.
    int32_t Lock(LockedPixels& locked);
    int32_t Unlock();
    bool IsLocked() const { return locked; }

    bool IsLost() const { return lost; }
    void MarkLost() { lost = true; }
    int32_t Restore();
    // The platform lost every surface at once (renderer reset).
    static void MarkAllLost();

    // Reads one pixel value; 0 outside the surface. For tests and snapshots.
    uint32_t ReadPixel(int x, int y) const;
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }
    uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * pitch; }

private:
    PixelSurface(int width, int height, const PixelFormat& format);

    int width;
    int height;
    int pitch;
    PixelFormat format;
    uint32_t colorKey = 0;
    bool locked = false;
    bool lost = false;
    std::vector<uint8_t> pixels;
};

}  // namespace platform
