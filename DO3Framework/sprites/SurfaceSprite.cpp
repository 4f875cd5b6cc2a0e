#include "sprites/SurfaceSprite.h"

#include <algorithm>
#include <cstring>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/ImageConverter.h"
#include "images/ImageUtil.h"
#include "platform/PlatformResult.h"
#include "render/RenderEngine.h"
#include "sprites/SpriteClipping.h"
#include "sprites/TargetLock.h"

namespace {

// Surfaces wider than this are asked for in main memory.
constexpr int kSystemMemoryWidth = 4000;
// A cropped picture keeps at least this many pixels per side, the size a one-pixel picture
// has always been given.
constexpr int kMinimumCroppedSide = 2;

platform::PixelRect Exclusive(const ImageRect& rect)
{
    return {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
}

void LogRect(const ImageRect& rect)
{
    Debug::Instance().Log("Src (left %d, right %d, top %d, bottom %d )\n", rect.left, rect.right, rect.top,
                          rect.bottom);
}

// An offset of the source picture in destination pixels, truncated.
int ScaledOffset(int offset, int destinationSize, int sourceSize)
{
    if (sourceSize <= 0) {
        return offset;
    }
    return static_cast<int>(static_cast<long long>(offset) * destinationSize / sourceSize);
}

bool IsKeyColor(const uint8_t* pixel, int bytes)
{
    for (int byte = 0; byte < bytes; ++byte) {
        if (pixel[byte] != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

SurfaceSprite::SurfaceSprite() = default;
SurfaceSprite::~SurfaceSprite() = default;

bool SurfaceSprite::Create(std::unique_ptr<Image> source, int spriteWidth, int spriteHeight, int x, int y, bool crop)
{
    Debug& debug = Debug::Instance();
    surface.Release();
    image.reset();
    cropX = cropY = imageX = imageY = 0;
    width = height = 0;
    if (!source || source->IsEmpty() || source->IsEncoded()) {
        debug.Error("SurfaceSprite::Create: no picture given.\n");
        return false;
    }
    if (crop) {
        if (x != 0 || y != 0) {
            debug.Warning("SurfaceSprite::Create: Image offset supplied for croped sprite. Is that what you want?\n");
        }
        ImageRect bounds = ImageUtil::Instance().GetBoundingRect(*source);
        auto cropped = std::make_unique<Image>();
        int keptWidth = std::max(bounds.Width(), kMinimumCroppedSide);
        int keptHeight = std::max(bounds.Height(), kMinimumCroppedSide);
        if (!cropped->Create(keptWidth, keptHeight, source->GetDepth(), true) ||
            !ImageUtil::Instance().CopyRect(*source, *cropped, bounds, 0, 0)) {
            return false;
        }
        cropX = bounds.left;
        cropY = bounds.top;
        width = keptWidth;
        height = keptHeight;
        image = std::move(cropped);
    } else {
        if (x < 0 || y < 0 || x + spriteWidth > source->GetWidth() || y + spriteHeight > source->GetHeight()) {
            debug.Error("SurfaceSprite::Create: %d x %d at (%d, %d) lies outside the %d x %d picture.\n", spriteWidth,
                        spriteHeight, x, y, source->GetWidth(), source->GetHeight());
            return false;
        }
        imageX = x;
        imageY = y;
        width = spriteWidth;
        height = spriteHeight;
        image = std::move(source);
    }
    fullWidth = spriteWidth;
    fullHeight = spriteHeight;
    imageFormat = DirectDraw::Instance().GetScreenFormat();
    if (!surface.Create(width, height, width > kSystemMemoryWidth)) {
        debug.Error("SurfaceSprite::Create: Failed to create sprite surface.\n");
        return false;
    }
    if (!Upload()) {
        return false;
    }
    LetGoOfWholeImage();
    return true;
}

// A surface that shows the whole image holds every pixel of it: keeping the image as well
// would keep the picture twice. It is read back from the surface when it is needed again.
void SurfaceSprite::LetGoOfWholeImage()
{
    if (image && imageX == 0 && imageY == 0 && image->GetWidth() == width && image->GetHeight() == height) {
        image.reset();
    }
}

Image* SurfaceSprite::Picture()
{
    if (!image) {
        image = surface.ReadImage();
    }
    return image.get();
}

// A picture without black is copied opaque: the same pixels, without testing each for the key.
bool SurfaceSprite::Upload()
{
    if (!surface.SetPixels(*image, imageX, imageY)) {
        return false;
    }
    FindVisibleRuns();
    return true;
}

// Read from the surface itself: a partial upload may have taken its pixels from elsewhere in
// the image than the image offset.
void SurfaceSprite::FindVisibleRuns()
{
    const platform::PixelSurface& pixels = *surface.GetPixelSurface();
    int bytes = pixels.Format().BytesPerPixel();
    keyed = false;
    visibleRuns.Build(width, height, [&](int x, int y) {
        bool key = IsKeyColor(pixels.Row(y) + static_cast<size_t>(x) * bytes, bytes);
        keyed = keyed || key;
        return !key;
    });
}

uint32_t SurfaceSprite::BlitFlagsOf(const DrawInfo& info) const
{
    return keyed && !info.Has(DI_NO_COLORKEY) ? platform::kBlitColorKey : platform::kBlitOpaque;
}

int SurfaceSprite::GetWidth(int) const
{
    return width;
}

int SurfaceSprite::GetHeight(int) const
{
    return height;
}

// What the surface shows: its colour key is transparent.
bool SurfaceSprite::IsPixelTransparent(const SpritePoint& point, int) const
{
    int x = point.x - cropX;
    int y = point.y - cropY;
    const platform::PixelSurface* pixels = surface.GetPixelSurface();
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height) {
        return true;
    }
    return pixels->ReadPixel(x, y) == 0;
}

void SurfaceSprite::Restore()
{
    if (!surface.IsLost() && imageFormat == DirectDraw::Instance().GetScreenFormat()) {
        return;
    }
    // Read back before the surface is restored, which clears its pixels.
    Picture();
    bool uploaded = false;
    if (ImageConverter::Instance().FollowScreenFormat(image, imageFormat)) {
        uploaded = surface.Create(width, height, width > kSystemMemoryWidth) && Upload();
    } else if (surface.IsLost() && surface.Restore() && image) {
        uploaded = Upload();
    }
    if (uploaded) {
        LetGoOfWholeImage();
    }
}

void SurfaceSprite::UpdateRect(int x, int y, const ImageRect& rect)
{
    if (Picture() && surface.SetPixelsRect(*image, x, y, rect)) {
        FindVisibleRuns();
        RenderEngine::Instance().ForgetLastFrame();
    }
}

void SurfaceSprite::SetImageOffset(int x, int y)
{
    if (!Picture()) {
        return;
    }
    int oldX = imageX;
    int oldY = imageY;
    imageX = x;
    imageY = y;
    if (!Upload()) {
        imageX = oldX;
        imageY = oldY;
    }
    RenderEngine::Instance().ForgetLastFrame();
}

void SurfaceSprite::DrawEx(const DrawInfo& info)
{
    if (!surface.GetPixelSurface()) {
        return;
    }
    ImageRect source = sprite_clipping::SourceRect(info, width, height);
    if (info.Has(DI_DEST_SIZE)) {
        DrawScaledBlit(info, source);
    } else {
        DrawPlainBlit(info, source);
    }
}

bool SurfaceSprite::CoversTarget(const DrawInfo& info, int targetWidth, int targetHeight) const
{
    if (!surface.GetPixelSurface() || info.Has(DI_DEST_SIZE) || BlitFlagsOf(info) != platform::kBlitOpaque) {
        return false;
    }
    int x = 0;
    int y = 0;
    sprite_clipping::AnchoredPosition(info, fullWidth, fullHeight, x, y);
    x += cropX;
    y += cropY;
    ImageRect from = sprite_clipping::SourceRect(info, width, height);
    if (!sprite_clipping::LimitToPicture(x, y, from, width, height)) {
        return false;
    }
    return x <= 0 && y <= 0 && x + from.Width() >= targetWidth && y + from.Height() >= targetHeight;
}

// The crop offset is part of the picture, so it scales with it.
void SurfaceSprite::DrawScaledBlit(const DrawInfo& info, const ImageRect& source)
{
    ImageRect from = source;
    int left = info.destX + ScaledOffset(cropX, info.destWidth, source.Width());
    int top = info.destY + ScaledOffset(cropY, info.destHeight, source.Height());
    ImageRect to{left, top, left + info.destWidth - 1, top + info.destHeight - 1};
    if (!sprite_clipping::ClipScaled(to, from)) {
        return;
    }
    platform::PixelSurface* target = DirectDraw::Instance().GetRenderTarget();
    if (!target) {
        return;
    }
    platform::PixelRect toRect = Exclusive(to);
    platform::PixelRect fromRect = Exclusive(from);
    int32_t result = target->StretchBlit(&toRect, *surface.GetPixelSurface(), &fromRect, BlitFlagsOf(info));
    if (result == platform::kResultInvalidRect) {
        Debug::Instance().Error("SurfaceSprite::DrawEx: Invalid Rect while rendering surface Sprite #1.\n");
        LogRect(from);
        LogRect(to);
        return;
    }
    ReportBlitFailure(result);
}

void SurfaceSprite::DrawPlainBlit(const DrawInfo& info, const ImageRect& source)
{
    int x = 0;
    int y = 0;
    sprite_clipping::AnchoredPosition(info, fullWidth, fullHeight, x, y);
    x += cropX;
    y += cropY;
    ImageRect from = source;
    if (!sprite_clipping::LimitToPicture(x, y, from, width, height) || !sprite_clipping::ClipUnscaled(x, y, from)) {
        return;
    }
    if (BlitFlagsOf(info) == platform::kBlitColorKey) {
        CopyVisibleRuns(x, y, from);
        return;
    }
    platform::PixelSurface* target = DirectDraw::Instance().GetRenderTarget();
    if (!target) {
        return;
    }
    platform::PixelRect fromRect = Exclusive(from);
    int32_t result = target->Blit(x, y, *surface.GetPixelSurface(), &fromRect, platform::kBlitOpaque);
    if (result == platform::kResultInvalidRect) {
        Debug& debug = Debug::Instance();
        debug.Error("SurfaceSprite::DrawEx: Invalid Rect while rendering surface Sprite #2.\n");
        LogRect(from);
        debug.Log("Dest (x %d, y %d )\n", x, y);
        return;
    }
    ReportBlitFailure(result);
}

// A colour-keyed blit that copies only the runs of non-black pixels of each clipped row.
void SurfaceSprite::CopyVisibleRuns(int x, int y, const ImageRect& source)
{
    const platform::PixelSurface& pixels = *surface.GetPixelSurface();
    if (pixels.IsLost()) {
        DirectDraw::Instance().ReportLostSurface();
        return;
    }
    TargetLock target;
    if (!target.IsLocked() || target.BitsPerPixel() != pixels.Format().bitsPerPixel) {
        return;
    }
    int bytes = pixels.Format().BytesPerPixel();
    for (int row = source.top; row <= source.bottom; ++row) {
        uint8_t* to = target.Row(y + row - source.top);
        const uint8_t* from = pixels.Row(row);
        for (const RowSpans::Span* run = visibleRuns.RowBegin(row); run != visibleRuns.RowEnd(row); ++run) {
            int begin = std::max(run->begin, source.left);
            int end = std::min(run->end, source.right + 1);
            if (begin < end) {
                std::memcpy(to + static_cast<size_t>(x + begin - source.left) * bytes, from + static_cast<size_t>(begin) * bytes,
                            static_cast<size_t>(end - begin) * bytes);
            }
        }
    }
}

void SurfaceSprite::ReportBlitFailure(int32_t result)
{
    if (result == platform::kResultSurfaceLost) {
        DirectDraw::Instance().ReportLostSurface();
        return;
    }
    Debug::Instance().CheckDirectXResult(result, "SurfaceSprite", __LINE__);
}
