#pragma once

#include <memory>

#include "images/Image.h"
#include "sprites/RowSpans.h"
#include "sprites/Sprite.h"

// A shadow: every pixel under a clear bit of a 1-bit mask is darkened to half; set bits leave
// the screen alone.
class ShadowSprite : public Sprite {
public:
    ShadowSprite();
    ~ShadowSprite() override;

    // The mask (1-bit) is cut to its bounding rectangle, whose top-left becomes the crop offset.
    bool Create(std::unique_ptr<Image> mask, int fullWidth, int fullHeight);

    int GetWidth(int frame) const override;
    int GetHeight(int frame) const override;
    int GetFullWidth() const override { return fullWidth; }
    int GetFullHeight() const override { return fullHeight; }
    bool IsPixelTransparent(const SpritePoint& point, int frame) const override;
    void DrawEx(const DrawInfo& info) override;

    int GetCropX() const { return cropX; }
    int GetCropY() const { return cropY; }
    const Image* GetMask() const { return mask.get(); }

private:
    std::unique_ptr<Image> mask;
    // Runs of clear mask bits (darkened pixels).
    RowSpans darkened;
    int cropX = 0;
    int cropY = 0;
    int width = 0;
    int height = 0;
    int fullWidth = 0;
    int fullHeight = 0;
};
