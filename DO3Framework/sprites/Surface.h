#pragma once

#include <memory>

#include "images/ImageRect.h"
#include "platform/PixelSurface.h"

class Image;

// One display surface in the screen format, black as its colour key. Uploads copy screen-format
// image pixels into it; a lost surface reports itself to the display and is not an error.
class Surface {
public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Replaces the old surface. systemMemory asks for main memory, where every surface of the
    // frame buffer lives anyway.
    bool Create(int width, int height, bool systemMemory);
    void Release();

    // Copies the surface's size of pixels from the image, starting at image pixel (x, y).
    // The image must be in the surface's pixel format and hold the whole area.
    bool SetPixels(const Image& image, int x, int y);
    // The same for the inclusive surface rectangle only, read from image (x + left, y + top).
    bool SetPixelsRect(const Image& image, int x, int y, const ImageRect& rect);

    // The pixels as an image of the surface's size and depth; null without a surface. A lost
    // surface still holds its pixels in main memory until it is restored.
    std::unique_ptr<Image> ReadImage() const;

    bool IsLost() const;
    // Restores a lost surface; its pixels must be uploaded again.
    bool Restore();

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    platform::PixelSurface* GetPixelSurface() { return surface.get(); }
    const platform::PixelSurface* GetPixelSurface() const { return surface.get(); }

private:
    bool CopyRows(const Image& image, int x, int y, const ImageRect& rect);

    std::unique_ptr<platform::PixelSurface> surface;
    int width = 0;
    int height = 0;
};
