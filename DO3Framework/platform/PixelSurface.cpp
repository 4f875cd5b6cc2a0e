#include "platform/PixelSurface.h"

#include <algorithm>
#include <cstring>

#include "platform/PixelRows.h"
#include "platform/PlatformResult.h"

namespace platform {

namespace {

constexpr int kMaxSide = 16384;

// Every live surface, so that a renderer reset can mark them all lost. Never destroyed:
// services that die at process exit still own surfaces and unregister them then.
std::vector<PixelSurface*>& LiveSurfaces()
{
    static auto* surfaces = new std::vector<PixelSurface*>;
    return *surfaces;
}

bool IsInverted(const PixelRect& rect)
{
    return rect.right < rect.left || rect.bottom < rect.top;
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Contains(const PixelRect& outer, const PixelRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Moves the source rectangle's start when the destination position lies before the origin.
void ClipLeading(int& position, int& sourceStart)
{
    if (position < 0) {
        sourceStart -= position;
        position = 0;
    }
}

}  // namespace

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height, const PixelFormat& format)
{
    bool sizeOk = width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
    bool depthOk = format.bitsPerPixel == 16 || format.bitsPerPixel == 24 || format.bitsPerPixel == 32;
    if (!sizeOk || !depthOk) {
        return nullptr;
    }
    return std::unique_ptr<PixelSurface>(new PixelSurface(width, height, format));
}

PixelSurface::PixelSurface(int surfaceWidth, int surfaceHeight, const PixelFormat& pixelFormat)
    : width(surfaceWidth),
      height(surfaceHeight),
      pitch((surfaceWidth * pixelFormat.BytesPerPixel() + 3) & ~3),
      format(pixelFormat),
      pixels(static_cast<size_t>(pitch) * surfaceHeight, 0)
{
    LiveSurfaces().push_back(this);
}

PixelSurface::~PixelSurface()
{
    auto& surfaces = LiveSurfaces();
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), this), surfaces.end());
}

void PixelSurface::MarkAllLost()
{
    for (PixelSurface* surface : LiveSurfaces()) {
        surface->MarkLost();
    }
}

int32_t PixelSurface::Restore()
{
    if (lost) {
        std::fill(pixels.begin(), pixels.end(), 0);
        lost = false;
    }
    return kResultOk;
}

int32_t PixelSurface::Lock(LockedPixels& view)
{
    if (lost) {
        return kResultSurfaceLost;
    }
    if (locked) {
        return kResultSurfaceBusy;
    }
    locked = true;
    view = {pixels.data(), pitch, width, height, format};
    return kResultOk;
}

int32_t PixelSurface::Unlock()
{
    if (!locked) {
        return kResultInvalidCall;
    }
    locked = false;
    return lost ? kResultSurfaceLost : kResultOk;
}

uint32_t PixelSurface::ReadPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return ReadPixelValue(Row(y) + x * format.BytesPerPixel(), format.BytesPerPixel());
}

int32_t PixelSurface::Fill(const PixelRect* rect, uint32_t color)
{
    if (lost) {
        return kResultSurfaceLost;
    }
    PixelRect area = rect ? *rect : Bounds();
    if (IsInverted(area)) {
        return kResultInvalidRect;
    }
    area = Intersect(area, Bounds());
    int bytes = format.BytesPerPixel();
    for (int y = area.top; y < area.bottom; ++y) {
        FillRow(Row(y) + area.left * bytes, area.Width(), bytes, color);
    }
    return kResultOk;
}

int32_t PixelSurface::Blit(int x, int y, const PixelSurface& source, const PixelRect* sourceRect, uint32_t flags)
{
    if (lost || source.lost) {
        return kResultSurfaceLost;
    }
    if (!(format == source.format)) {
        return kResultInvalidPixelFormat;
    }
    PixelRect from = sourceRect ? *sourceRect : source.Bounds();
    if (IsInverted(from)) {
        return kResultInvalidRect;
    }
    // Clip the source to its surface, then the destination to this one.
    x += std::max(0, -from.left);
    y += std::max(0, -from.top);
    from = Intersect(from, source.Bounds());
    ClipLeading(x, from.left);
    ClipLeading(y, from.top);
    from.right = std::min(from.right, from.left + width - x);
    from.bottom = std::min(from.bottom, from.top + height - y);
    if (from.IsEmpty()) {
        return kResultOk;
    }
    int bytes = format.BytesPerPixel();
    size_t rowBytes = static_cast<size_t>(from.Width()) * bytes;
    // Copying within one surface downwards must run bottom-up so rows are read before overwritten.
    bool bottomUp = &source == this && y > from.top;
    for (int i = 0; i < from.Height(); ++i) {
        int row = bottomUp ? from.Height() - 1 - i : i;
        uint8_t* to = Row(y + row) + x * bytes;
        const uint8_t* src = source.Row(from.top + row) + from.left * bytes;
        if (flags & kBlitColorKey) {
            KeyRow(to, src, from.Width(), bytes, source.colorKey);
        } else {
            std::memmove(to, src, rowBytes);
        }
    }
    return kResultOk;
}

int32_t PixelSurface::StretchBlit(const PixelRect* destRect, const PixelSurface& source,
                                  const PixelRect* sourceRect, uint32_t flags)
{
    if (lost || source.lost) {
        return kResultSurfaceLost;
    }
    if (!(format == source.format)) {
        return kResultInvalidPixelFormat;
    }
    PixelRect to = destRect ? *destRect : Bounds();
    PixelRect from = sourceRect ? *sourceRect : source.Bounds();
    if (IsInverted(to) || IsInverted(from) || !Contains(source.Bounds(), from)) {
        return kResultInvalidRect;
    }
    if (to.IsEmpty() || from.IsEmpty()) {
        return kResultOk;
    }
    if (to.Width() == from.Width() && to.Height() == from.Height()) {
        return Blit(to.left, to.top, source, &from, flags);
    }
    ScaleSteps steps = MakeScaleSteps(to, from);
    PixelRect visible = Intersect(to, Bounds());
    if (visible.IsEmpty()) {
        return kResultOk;
    }
    int bytes = format.BytesPerPixel();
    uint32_t firstU = steps.startU + static_cast<uint32_t>(visible.left - to.left) * steps.stepU;
    for (int y = visible.top; y < visible.bottom; ++y) {
        uint32_t v = steps.startV + static_cast<uint32_t>(y - to.top) * steps.stepV;
        const uint8_t* src = source.Row(from.top + static_cast<int>(v >> 16)) + from.left * bytes;
        StretchRow(Row(y) + visible.left * bytes, src, visible.Width(), bytes, firstU, steps.stepU,
                   (flags & kBlitColorKey) != 0, source.colorKey);
    }
    return kResultOk;
}

}  // namespace platform
