#pragma once

#include <memory>

#include "display/ScreenFormat.h"
#include "images/Image.h"
#include "sprites/RowSpans.h"
#include "sprites/Sprite.h"
#include "sprites/Surface.h"

// A picture in a display surface with black as colour key. Scaled draws use the frame buffer's
// stretched blit; unscaled colour-keyed draws copy the runs of non-black pixels of each row,
// found when the pixels are uploaded, and pictures without black are copied whole. The source
// image stays with the sprite only where the surface shows part of it; a surface that shows
// all of it is the one copy of the picture, read back when a lost surface or a change of
// screen depth needs it uploaded again.
class SurfaceSprite : public Sprite {
public:
    SurfaceSprite();
    ~SurfaceSprite() override;

    // image is in the screen format. Without crop the image is kept whole and the surface shows
    // its width x height area at (imageX, imageY); with crop only the image's bounding rectangle
    // of non-black pixels is kept (at least 2 x 2) and its top-left becomes the crop offset.
    // width and height are the full size of the picture cell.
    bool Create(std::unique_ptr<Image> image, int width, int height, int imageX, int imageY, bool crop);

    int GetWidth(int frame) const override;
    int GetHeight(int frame) const override;
    int GetFullWidth() const override { return fullWidth; }
    int GetFullHeight() const override { return fullHeight; }
    bool IsPixelTransparent(const SpritePoint& point, int frame) const override;
    // A lost surface gets its pixels again; after a change of screen depth the picture is
    // converted and the surface made anew in the new format.
    void Restore() override;
    void DrawEx(const DrawInfo& info) override;
    // An opaque picture drawn unscaled over the whole target (a board's background).
    bool CoversTarget(const DrawInfo& info, int targetWidth, int targetHeight) const override;

    // Uploads the inclusive surface rectangle again from image pixel (x, y) onwards.
    virtual void UpdateRect(int x, int y, const ImageRect& rect);
    // Uploads the whole surface from another place of the image.
    virtual void SetImageOffset(int x, int y);

    int GetCropX() const { return cropX; }
    int GetCropY() const { return cropY; }
    // The picture in the screen format, read back from the surface if the sprite let it go.
    const Image* GetImage() { return Picture(); }
    Surface& GetSurface() { return surface; }

private:
    void DrawScaledBlit(const DrawInfo& info, const ImageRect& source);
    void DrawPlainBlit(const DrawInfo& info, const ImageRect& source);
    void ReportBlitFailure(int32_t result);
    void CopyVisibleRuns(int x, int y, const ImageRect& source);
    bool Upload();
    void LetGoOfWholeImage();
    Image* Picture();
    void FindVisibleRuns();
    uint32_t BlitFlagsOf(const DrawInfo& info) const;

    Surface surface;
    std::unique_ptr<Image> image;
    // The screen format the image was converted for.
    ScreenFormat imageFormat;
    int imageX = 0;
    int imageY = 0;
    int cropX = 0;
    int cropY = 0;
    int width = 0;
    int height = 0;
    int fullWidth = 0;
    int fullHeight = 0;
    // The uploaded pixels hold the colour key somewhere; otherwise blits copy opaque.
    bool keyed = true;
    RowSpans visibleRuns;
};
