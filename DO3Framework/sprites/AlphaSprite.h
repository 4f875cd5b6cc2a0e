#pragma once

#include <memory>

#include "display/ScreenFormat.h"
#include "images/Image.h"
#include "sprites/Sprite.h"

// A picture blended into the render target through an 8-bit alpha map (0 invisible, 255
// opaque), integer arithmetic per channel. Unscaled only.
class AlphaSprite : public Sprite {
public:
    AlphaSprite();
    ~AlphaSprite() override;

    // image is in the screen format, alpha an 8-bit grey picture of the same size (or null: the
    // sprite draws nothing). With crop both are cut to the union of their bounding rectangles.
    bool Create(std::unique_ptr<Image> image, std::unique_ptr<Image> alpha, int width, int height, int imageX,
                int imageY, bool crop);

    int GetWidth(int frame) const override;
    int GetHeight(int frame) const override;
    int GetFullWidth() const override { return fullWidth; }
    int GetFullHeight() const override { return fullHeight; }
    bool IsPixelTransparent(const SpritePoint& point, int frame) const override;
    // After a change of screen depth the picture is converted to the new format.
    void Restore() override;
    void DrawEx(const DrawInfo& info) override;

    int GetCropX() const { return cropX; }
    int GetCropY() const { return cropY; }
    const Image* GetImage() const { return image.get(); }
    const Image* GetAlpha() const { return alpha.get(); }

private:
    bool CropToContents();

    std::unique_ptr<Image> image;
    // The screen format the image was converted for.
    ScreenFormat imageFormat;
    std::unique_ptr<Image> alpha;
    int imageX = 0;
    int imageY = 0;
    int cropX = 0;
    int cropY = 0;
    int width = 0;
    int height = 0;
    int fullWidth = 0;
    int fullHeight = 0;
};
