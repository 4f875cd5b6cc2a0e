#include "sprites/Surface.h"

#include <cstring>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/Image.h"
#include "platform/EventPump.h"
#include "platform/PlatformResult.h"

Surface::Surface() = default;
Surface::~Surface() = default;

bool Surface::Create(int surfaceWidth, int surfaceHeight, bool)
{
    Release();
    surface = DirectDraw::Instance().CreateSurface(surfaceWidth, surfaceHeight);
    if (!surface) {
        Debug::Instance().Error("Surface::Create Could create surface.\n");
        return false;
    }
    surface->SetColorKey(0);
    width = surfaceWidth;
    height = surfaceHeight;
    return true;
}

void Surface::Release()
{
    surface.reset();
    width = 0;
    height = 0;
}

bool Surface::SetPixels(const Image& image, int x, int y)
{
    return CopyRows(image, x, y, ImageRect{0, 0, width - 1, height - 1});
}

bool Surface::SetPixelsRect(const Image& image, int x, int y, const ImageRect& rect)
{
    bool fits = rect.left >= 0 && rect.top >= 0 && rect.right < width && rect.bottom < height &&
                rect.left <= rect.right && rect.top <= rect.bottom;
    if (!fits) {
        Debug::Instance().Error("Surface::SetPixelsRect: destination rect does not fit to dest surface.\n");
        return false;
    }
    return CopyRows(image, x + rect.left, y + rect.top, rect);
}

std::unique_ptr<Image> Surface::ReadImage() const
{
    auto image = std::make_unique<Image>();
    if (!surface || !image->Create(width, height, surface->Format().bitsPerPixel, false)) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(image->Row(y), surface->Row(y), static_cast<size_t>(image->RowBytes()));
    }
    return image;
}

bool Surface::IsLost() const
{
    return surface && surface->IsLost();
}

bool Surface::Restore()
{
    return surface && !Debug::Instance().CheckDirectXResult(surface->Restore(), "Surface", __LINE__);
}

// Copies the surface rectangle rect from image pixels starting at (x, y). The image must be in
// the surface's format and hold every pixel read.
bool Surface::CopyRows(const Image& image, int x, int y, const ImageRect& rect)
{
    Debug& debug = Debug::Instance();
    if (!surface) {
        return false;
    }
    int bytes = surface->Format().BytesPerPixel();
    bool inside = x >= 0 && y >= 0 && x + rect.Width() <= image.GetWidth() && y + rect.Height() <= image.GetHeight();
    if (image.IsEncoded() || image.IsEmpty() || image.GetDepth() != surface->Format().bitsPerPixel || !inside) {
        debug.Error("Surface::SetPixels: a %d-bit image of %d x %d cannot fill %d x %d pixels from (%d, %d).\n",
                    image.GetDepth(), image.GetWidth(), image.GetHeight(), rect.Width(), rect.Height(), x, y);
        return false;
    }
    platform::LockedPixels locked;
    int32_t result = surface->Lock(locked);
    if (result == platform::kResultOk) {
        size_t rowBytes = static_cast<size_t>(rect.Width()) * bytes;
        for (int row = 0; row < rect.Height(); ++row) {
            uint8_t* to = locked.pixels + static_cast<size_t>(rect.top + row) * locked.pitch + rect.left * bytes;
            std::memcpy(to, image.Row(y + row) + static_cast<size_t>(x) * bytes, rowBytes);
        }
        result = surface->Unlock();
    }
    if (result == platform::kResultSurfaceLost) {
        DirectDraw::Instance().ReportLostSurface();
        return false;
    }
    if (result != platform::kResultOk) {
        debug.Error("Surface::SetPixels: Failed to set pixels for surface.\n");
        platform::EventPump::Instance().PostQuit(-1);
        return false;
    }
    return true;
}
