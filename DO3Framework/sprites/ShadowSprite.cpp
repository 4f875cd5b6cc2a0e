#include "sprites/ShadowSprite.h"

#include <algorithm>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/ImageUtil.h"
#include "platform/EventPump.h"
#include "platform/PlatformResult.h"
#include "sprites/PixelBlend.h"
#include "sprites/SpriteClipping.h"
#include "sprites/TargetLock.h"

namespace {

void RefuseBrokenData(const char* text)
{
    Debug::Instance().Error("%s", text);
    platform::EventPump::Instance().PostQuit(-1);
}

bool IsMaskBitSet(const Image& mask, int x, int y)
{
    size_t bit = static_cast<size_t>(y) * mask.GetWidth() + x;
    return (mask.GetData()[bit >> 3] & (0x80 >> (bit & 7))) != 0;
}

// The bits that cross into the next channel down when a pixel is halved.
uint32_t KeptAfterHalving(const ScreenFormat& format)
{
    uint32_t lowBits = 1u << format.redShift | 1u << format.greenShift | 1u << format.blueShift;
    return ~(lowBits >> 1);
}

}  // namespace

ShadowSprite::ShadowSprite() = default;
ShadowSprite::~ShadowSprite() = default;

bool ShadowSprite::Create(std::unique_ptr<Image> source, int shadowWidth, int shadowHeight)
{
    mask.reset();
    darkened = RowSpans();
    cropX = cropY = 0;
    width = fullWidth = shadowWidth;
    height = fullHeight = shadowHeight;
    if (!source || source->IsEmpty() || source->GetDepth() != 1) {
        Debug::Instance().Error("ShadowSprite::Create: the shadow needs a 1-bit mask.\n");
        return false;
    }
    ImageRect bounds = ImageUtil::Instance().GetBoundingRect(*source);
    auto cut = std::make_unique<Image>();
    if (!cut->Create(bounds.Width(), bounds.Height(), 1, true) ||
        !ImageUtil::Instance().CopyRect(*source, *cut, bounds, 0, 0)) {
        return false;
    }
    cropX = bounds.left;
    cropY = bounds.top;
    mask = std::move(cut);
    const Image& bits = *mask;
    darkened.Build(bits.GetWidth(), bits.GetHeight(), [&bits](int x, int y) { return !IsMaskBitSet(bits, x, y); });
    return true;
}

int ShadowSprite::GetWidth(int) const
{
    return width;
}

int ShadowSprite::GetHeight(int) const
{
    return height;
}

bool ShadowSprite::IsPixelTransparent(const SpritePoint& point, int) const
{
    int x = point.x - cropX;
    int y = point.y - cropY;
    if (!mask || x < 0 || y < 0 || x >= mask->GetWidth() || y >= mask->GetHeight()) {
        return true;
    }
    return IsMaskBitSet(*mask, x, y);
}

void ShadowSprite::DrawEx(const DrawInfo& info)
{
    if (info.Has(DI_DEST_SIZE)) {
        RefuseBrokenData("ShadowSprite::DrawEx: Scaled blit not supported by shadow sprites.\n");
        return;
    }
    const ScreenFormat& format = DirectDraw::Instance().GetScreenFormat();
    if (format.depth != 16 && format.depth != 24 && format.depth != 32) {
        RefuseBrokenData("ShadowSprite::DrawEx: Invalid screen directDraw screendepth.\n");
        return;
    }
    if (!mask) {
        return;
    }
    int x = 0;
    int y = 0;
    sprite_clipping::AnchoredPosition(info, fullWidth, fullHeight, x, y);
    x += cropX;
    y += cropY;
    ImageRect source = sprite_clipping::SourceRect(info, width, height);
    if (!sprite_clipping::LimitToPicture(x, y, source, mask->GetWidth(), mask->GetHeight()) ||
        !sprite_clipping::ClipUnscaled(x, y, source)) {
        return;
    }
    TargetLock target;
    if (!target.IsLocked() || target.BitsPerPixel() != format.depth) {
        return;
    }
    uint32_t keep = KeptAfterHalving(format);
    for (int row = source.top; row <= source.bottom; ++row) {
        uint8_t* screenRow = target.Row(y + row - source.top);
        for (const RowSpans::Span* span = darkened.RowBegin(row); span != darkened.RowEnd(row); ++span) {
            int begin = std::max(span->begin, source.left);
            int end = std::min(span->end, source.right + 1);
            if (begin >= end) {
                continue;
            }
            int screenX = x + begin - source.left;
            if (format.depth == 16) {
                pixel_blend::DarkenSpan(reinterpret_cast<uint16_t*>(screenRow) + screenX, end - begin,
                                        static_cast<uint16_t>(keep));
            } else if (format.depth == 24) {
                pixel_blend::DarkenSpan24(screenRow + screenX * 3, end - begin);
            } else {
                pixel_blend::DarkenSpan(reinterpret_cast<uint32_t*>(screenRow) + screenX, end - begin, keep);
            }
        }
    }
    int32_t result = target.Unlock();
    if (result != platform::kResultOk && result != platform::kResultSurfaceLost) {
        RefuseBrokenData("ShadowSprite::DrawEx: Failed to unlock backbuffer.\n");
    }
}
