#include "sprites/AlphaSprite.h"

#include <algorithm>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/ImageConverter.h"
#include "images/ImageUtil.h"
#include "platform/EventPump.h"
#include "sprites/PixelBlend.h"
#include "sprites/SpriteClipping.h"
#include "sprites/TargetLock.h"

namespace {

ImageRect Union(const ImageRect& a, const ImageRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// A copy of the rectangle of source (palette included).
std::unique_ptr<Image> Cut(const Image& source, const ImageRect& rect)
{
    auto cut = std::make_unique<Image>();
    if (!cut->Create(rect.Width(), rect.Height(), source.GetDepth(), true)) {
        return nullptr;
    }
    if (source.GetPalette()) {
        cut->SetPalette(source.GetPalette());
    }
    if (!ImageUtil::Instance().CopyRect(source, *cut, rect, 0, 0)) {
        return nullptr;
    }
    return cut;
}

void RefuseBrokenData(const char* text)
{
    Debug::Instance().Error("%s", text);
    platform::EventPump::Instance().PostQuit(-1);
}

}  // namespace

AlphaSprite::AlphaSprite() = default;
AlphaSprite::~AlphaSprite() = default;

bool AlphaSprite::Create(std::unique_ptr<Image> source, std::unique_ptr<Image> alphaMap, int spriteWidth,
                         int spriteHeight, int x, int y, bool crop)
{
    Debug& debug = Debug::Instance();
    image.reset();
    alpha.reset();
    cropX = cropY = imageX = imageY = width = height = 0;
    fullWidth = spriteWidth;
    fullHeight = spriteHeight;
    if (!source || source->IsEmpty() || source->IsEncoded() || source->GetDepth() < 16) {
        debug.Error("AlphaSprite::Create: no picture in a screen format given.\n");
        return false;
    }
    if (alphaMap && (alphaMap->GetWidth() != source->GetWidth() || alphaMap->GetHeight() != source->GetHeight())) {
        RefuseBrokenData("AlphaSprite::Create: image and alpha map sizes do not match.\n");
        return false;
    }
    if (alphaMap && (alphaMap->GetDepth() != 8 || alphaMap->IsEncoded())) {
        debug.Error("AlphaSprite::Create: the alpha map must be an 8-bit picture.\n");
        return false;
    }
    image = std::move(source);
    imageFormat = DirectDraw::Instance().GetScreenFormat();
    alpha = std::move(alphaMap);
    if (crop) {
        if (x != 0 || y != 0) {
            debug.Warning("AlphaSprite::Create: Image offset supplied for croped sprite. Is that what you want?\n");
        }
        return CropToContents();
    }
    if (x < 0 || y < 0 || x + spriteWidth > image->GetWidth() || y + spriteHeight > image->GetHeight()) {
        debug.Error("AlphaSprite::Create: %d x %d at (%d, %d) lies outside the %d x %d picture.\n", spriteWidth,
                    spriteHeight, x, y, image->GetWidth(), image->GetHeight());
        image.reset();
        alpha.reset();
        return false;
    }
    imageX = x;
    imageY = y;
    width = spriteWidth;
    height = spriteHeight;
    return true;
}

// Keeps the union of the picture's and the alpha map's bounding rectangles.
bool AlphaSprite::CropToContents()
{
    ImageUtil& util = ImageUtil::Instance();
    ImageRect kept = util.GetBoundingRect(*image);
    if (alpha) {
        kept = Union(kept, util.GetBoundingRect(*alpha));
    }
    image = Cut(*image, kept);
    alpha = alpha ? Cut(*alpha, kept) : nullptr;
    if (!image) {
        return false;
    }
    cropX = kept.left;
    cropY = kept.top;
    width = kept.Width();
    height = kept.Height();
    return true;
}

int AlphaSprite::GetWidth(int) const
{
    return width;
}

int AlphaSprite::GetHeight(int) const
{
    return height;
}

bool AlphaSprite::IsPixelTransparent(const SpritePoint& point, int) const
{
    int x = point.x - cropX;
    int y = point.y - cropY;
    if (!image || x < 0 || y < 0 || x >= width || y >= height) {
        return true;
    }
    return image->GetPixel(imageX + x, imageY + y) == 0;
}

void AlphaSprite::Restore()
{
    ImageConverter::Instance().FollowScreenFormat(image, imageFormat);
}

void AlphaSprite::DrawEx(const DrawInfo& info)
{
    if (info.Has(DI_DEST_SIZE)) {
        RefuseBrokenData("AlphaSprite::DrawEx: Scaled blit not supported by alpha sprites.\n");
        return;
    }
    if (!image || !alpha) {
        return;
    }
    int x = 0;
    int y = 0;
    sprite_clipping::AnchoredPosition(info, fullWidth, fullHeight, x, y);
    x += cropX;
    y += cropY;
    ImageRect source = sprite_clipping::SourceRect(info, width, height);
    if (!sprite_clipping::LimitToPicture(x, y, source, width, height) ||
        !sprite_clipping::ClipUnscaled(x, y, source)) {
        return;
    }
    TargetLock target;
    if (!target.IsLocked() || target.BitsPerPixel() != image->GetDepth()) {
        return;
    }
    auto layout = pixel_blend::Layout::Of(DirectDraw::Instance().GetScreenFormat());
    int bytes = image->BytesPerPixel();
    int count = source.Width();
    for (int row = 0; row <= source.bottom - source.top; ++row) {
        int imageRow = imageY + source.top + row;
        uint8_t* to = target.Row(y + row) + x * bytes;
        const uint8_t* from = image->Row(imageRow) + (imageX + source.left) * bytes;
        const uint8_t* coverage = alpha->Row(imageRow) + imageX + source.left;
        if (bytes == 2) {
            pixel_blend::BlendAlphaRow(reinterpret_cast<uint16_t*>(to), reinterpret_cast<const uint16_t*>(from),
                                       coverage, count, layout);
        } else if (bytes == 4) {
            pixel_blend::BlendAlphaRow(reinterpret_cast<uint32_t*>(to), reinterpret_cast<const uint32_t*>(from),
                                       coverage, count, layout);
        } else {
            pixel_blend::BlendAlphaRow24(to, from, coverage, count);
        }
    }
}
