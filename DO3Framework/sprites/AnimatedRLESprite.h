#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "images/Image.h"
#include "images/ImageRect.h"
#include "sprites/RleFrameRows.h"
#include "sprites/Sprite.h"

// A sequence of run-length coded 8-bit frames, optionally with run-length coded alpha frames,
// unpacked whole when drawn (kept in DecodedFrameCache) and blended per pixel.
// Scales by nearest neighbour through DI_SCALE. Frames whose streams end early, or that
// exceed the scratch buffer, are refused when added.
namespace pixel_blend {
struct RleTable;
}

class AnimatedRLESprite : public Sprite {
public:
    AnimatedRLESprite();
    ~AnimatedRLESprite() override;

    // strip: 8-bit frames stacked vertically, each cell strip height / frameCount rows; alpha:
    // an 8-bit strip of the same size or null. With crop every frame keeps its bounding
    // rectangle widened by 2 pixels (within the cell), whose top-left is its drawing offset.
    bool Create(const Image& strip, const Image* alphaStrip, int frameCount, bool crop);

    // For readers of pre-encoded data: the cell size, then every frame with its encoded picture,
    // its encoded alpha (null when the sprite has none) and its inclusive rectangle in the cell.
    // An alpha frame's palette is applied to its indices here (it then has a grey palette).
    void SetCellSize(int cellWidth, int cellHeight);
    bool AddFrame(std::unique_ptr<Image> frame, std::unique_ptr<Image> alphaFrame, const ImageRect& rect);

    int GetFrameCount() const override { return static_cast<int>(frames.size()); }
    int GetWidth(int frame) const override;
    int GetHeight(int frame) const override;
    int GetFullWidth() const override { return fullWidth; }
    int GetFullHeight() const override { return fullHeight; }
    bool IsPixelTransparent(const SpritePoint& point, int frame) const override;
    void DrawEx(const DrawInfo& info) override;

    bool HasAlpha() const { return hasAlpha; }
    // Null for a frame outside the list.
    const Image* GetFrameImage(int frame) const;
    const Image* GetAlphaFrameImage(int frame) const;
    ImageRect GetFrameRect(int frame) const;

private:
    struct Frame {
        std::unique_ptr<Image> image;
        std::unique_ptr<Image> alpha;
        ImageRect rect;
        uint64_t unpackedKey = 0;  // in DecodedFrameCache
    };

    struct TableCache;

    int ClampFrame(int frame) const;
    const pixel_blend::RleTable& TableFor(const Image& frame);
    bool CutFrame(const Image& strip, const Image* alphaStrip, int frame, bool crop);
    void DrawUnscaled(const Frame& frame, float x, float y);
    void DrawScaled(const Frame& frame, float x, float y, float scale);
    // The frame's rows unpacked (once, then kept while drawn often); none for an empty frame.
    std::optional<RleFrameRows> RowsOf(const Frame& frame);
    void ForgetUnpackedFrames();

    std::vector<Frame> frames;
    int fullWidth = 0;
    int fullHeight = 0;
    bool hasAlpha = false;
    std::unique_ptr<TableCache> tableCache;
};
