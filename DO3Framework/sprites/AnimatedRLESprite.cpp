#include "sprites/AnimatedRLESprite.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cmath>
#include <cstdint>
#include <optional>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/ImageUtil.h"
#include "sprites/DecodedFrameCache.h"
#include "sprites/PixelBlend.h"
#include "sprites/RleFrameRows.h"
#include "sprites/RleRowReader.h"
#include "sprites/SpriteClipping.h"

namespace {

// Cropped frames keep this margin around their contents.
constexpr int kCropMargin = 2;
// Integer edges of a scaled frame lie just inside its float edges (in double: a float inset
// would round up to a whole pixel at positions of a few hundred).
constexpr double kEdgeInset = 0.99999;
constexpr int kFixedOne = 1 << 16;

std::unique_ptr<Image> CopyOf(const Image& source, const ImageRect& rect)
{
    auto copy = std::make_unique<Image>();
    if (!copy->Create(rect.Width(), rect.Height(), source.GetDepth(), true)) {
        return nullptr;
    }
    if (source.GetPalette()) {
        copy->SetPalette(source.GetPalette());
    }
    if (!ImageUtil::Instance().CopyRect(source, *copy, rect, 0, 0)) {
        return nullptr;
    }
    return copy;
}

ImageRect Union(const ImageRect& a, const ImageRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The contents of a cell (colour, and alpha where it has any) widened by the margin.
ImageRect CroppedRect(const Image& cell, const Image* alphaCell)
{
    ImageUtil& util = ImageUtil::Instance();
    ImageRect bounds = util.GetBoundingRect(cell);
    if (alphaCell) {
        bounds = Union(bounds, util.GetBoundingRect(*alphaCell));
    }
    return {std::max(bounds.left - kCropMargin, 0), std::max(bounds.top - kCropMargin, 0),
            std::min(bounds.right + kCropMargin, cell.GetWidth() - 1),
            std::min(bounds.bottom + kCropMargin, cell.GetHeight() - 1)};
}

// Source column (or row) of each destination pixel of a scaled draw, nearest neighbour in
// 16.16 fixed point, limited to the decoded frame.
void FillSourceIndices(int* indices, int count, int64_t start, int64_t step, int firstColumn, int limit)
{
    int64_t position = start + static_cast<int64_t>(firstColumn) * step;
    for (int i = 0; i < count; ++i, position += step) {
        indices[i] = static_cast<int>(std::clamp<int64_t>(position >> 16, 0, limit));
    }
}

// Replaces every index of an encoded alpha frame by its alpha (the palette's blue) and gives it
// a grey palette, so that drawing reads alpha values straight from unpacked rows. The stream
// must have been checked whole.
void ApplyAlphaPalette(Image& alpha)
{
    const Color* palette = alpha.GetPalette();
    if (!palette) {
        return;
    }
    uint8_t alphaOf[256];
    std::array<Color, 256> grey{};
    for (int i = 0; i < 256; ++i) {
        alphaOf[i] = static_cast<uint8_t>(palette[i] & 0xFF);
        grey[static_cast<size_t>(i)] = MakeColor(i, i, i);
    }
    uint8_t* data = alpha.GetData();
    size_t size = std::min(static_cast<size_t>(alpha.GetEncodedSize()), alpha.GetDataSize());
    size_t position = 0;
    while (position < size) {
        int control = static_cast<int8_t>(data[position++]);
        size_t indices = control > 0 ? 1 : static_cast<size_t>(-control);
        for (size_t end = std::min(position + indices, size); position < end; ++position) {
            data[position] = alphaOf[data[position]];
        }
    }
    alpha.SetPalette(grey.data());
}

// Every row of the stream can be unpacked.
bool IsWholeStream(const Image& image)
{
    RleRowReader reader(image);
    for (int y = 0; y < image.GetHeight(); ++y) {
        if (!reader.SkipRow()) {
            return false;
        }
    }
    return true;
}

}  // namespace

// The colour table of the last palette drawn: the frames of a sprite nearly always share one.
struct AnimatedRLESprite::TableCache {
    pixel_blend::RleTable table;
    std::array<Color, 256> palette{};
    bool hasPalette = false;
    ScreenFormat format;
    bool valid = false;
};

AnimatedRLESprite::AnimatedRLESprite() : tableCache(std::make_unique<TableCache>()) {}
AnimatedRLESprite::~AnimatedRLESprite()
{
    ForgetUnpackedFrames();
}

void AnimatedRLESprite::ForgetUnpackedFrames()
{
    if (!DecodedFrameCache::Exists()) {
        return;
    }
    for (const Frame& frame : frames) {
        DecodedFrameCache::Instance().Forget(frame.unpackedKey);
    }
}

bool AnimatedRLESprite::Create(const Image& strip, const Image* alphaStrip, int frameCount, bool crop)
{
    Debug& debug = Debug::Instance();
    ForgetUnpackedFrames();
    frames.clear();
    fullWidth = fullHeight = 0;
    hasAlpha = alphaStrip != nullptr;
    if (strip.GetDepth() != 8 || strip.IsEncoded() || frameCount < 1 || frameCount > strip.GetHeight()) {
        debug.Error("AnimatedRLESprite::Create: needs an 8-bit strip of at least %d rows.\n", frameCount);
        return false;
    }
    bool alphaFits = !alphaStrip || (alphaStrip->GetDepth() == 8 && !alphaStrip->IsEncoded() &&
                                     alphaStrip->GetWidth() == strip.GetWidth() &&
                                     alphaStrip->GetHeight() == strip.GetHeight());
    if (!alphaFits) {
        debug.Error("AnimatedRLESprite::Create: the alpha strip must be 8-bit and of the strip's size.\n");
        return false;
    }
    fullWidth = strip.GetWidth();
    fullHeight = strip.GetHeight() / frameCount;
    debug.Log("Surface::Create width=%d height=%d\n", fullWidth, fullHeight);
    for (int frame = 0; frame < frameCount; ++frame) {
        if (!CutFrame(strip, alphaStrip, frame, crop)) {
            frames.clear();
            return false;
        }
    }
    return true;
}

bool AnimatedRLESprite::CutFrame(const Image& strip, const Image* alphaStrip, int frame, bool crop)
{
    ImageRect cellRect{0, frame * fullHeight, fullWidth - 1, frame * fullHeight + fullHeight - 1};
    std::unique_ptr<Image> cell = CopyOf(strip, cellRect);
    std::unique_ptr<Image> alphaCell = alphaStrip ? CopyOf(*alphaStrip, cellRect) : nullptr;
    if (!cell || (alphaStrip && !alphaCell)) {
        return false;
    }
    ImageRect rect{0, 0, fullWidth - 1, fullHeight - 1};
    if (crop) {
        rect = CroppedRect(*cell, alphaCell.get());
        cell = CopyOf(*cell, rect);
        alphaCell = alphaCell ? CopyOf(*alphaCell, rect) : nullptr;
    }
    ImageUtil& util = ImageUtil::Instance();
    if (!cell || !util.RunLengthEncode(*cell) || (alphaCell && !util.RunLengthEncode(*alphaCell))) {
        return false;
    }
    return AddFrame(std::move(cell), std::move(alphaCell), rect);
}

void AnimatedRLESprite::SetCellSize(int cellWidth, int cellHeight)
{
    fullWidth = cellWidth;
    fullHeight = cellHeight;
}

bool AnimatedRLESprite::AddFrame(std::unique_ptr<Image> frame, std::unique_ptr<Image> alphaFrame,
                                 const ImageRect& rect)
{
    Debug& debug = Debug::Instance();
    if (!frame || frame->GetDepth() != 8 || !frame->IsEncoded()) {
        debug.Error("AnimatedRLESprite::AddFrame: frame %d is not a run-length coded 8-bit picture.\n",
                    GetFrameCount());
        return false;
    }
    bool alphaFits = alphaFrame && alphaFrame->GetDepth() == 8 && alphaFrame->IsEncoded() &&
                     alphaFrame->GetWidth() == frame->GetWidth() && alphaFrame->GetHeight() == frame->GetHeight();
    if (frames.empty()) {
        hasAlpha = alphaFrame != nullptr;
    }
    if (hasAlpha != (alphaFrame != nullptr) || (alphaFrame && !alphaFits)) {
        debug.Error("AnimatedRLESprite::AddFrame: alpha of frame %d does not match the frame.\n", GetFrameCount());
        return false;
    }
    // Frames are decoded into the display's scratch buffer; a larger one could never be drawn.
    size_t pixels = static_cast<size_t>(frame->GetWidth()) * frame->GetHeight();
    if (pixels > DirectDraw::kScratchBytes / sizeof(uint32_t)) {
        debug.Error("AnimatedRLESprite::AddFrame: frame %d of %d x %d exceeds the scratch buffer.\n",
                    GetFrameCount(), frame->GetWidth(), frame->GetHeight());
        return false;
    }
    if (!IsWholeStream(*frame) || (alphaFrame && !IsWholeStream(*alphaFrame))) {
        debug.Error("AnimatedRLESprite::AddFrame: the stream of frame %d ends early.\n", GetFrameCount());
        return false;
    }
    if (alphaFrame) {
        ApplyAlphaPalette(*alphaFrame);
    }
    frames.push_back({std::move(frame), std::move(alphaFrame), rect, DecodedFrameCache::NewKey()});
    return true;
}

const pixel_blend::RleTable& AnimatedRLESprite::TableFor(const Image& frame)
{
    TableCache& cache = *tableCache;
    const ScreenFormat& format = DirectDraw::Instance().GetScreenFormat();
    const Color* palette = frame.GetPalette();
    bool samePalette = cache.hasPalette == (palette != nullptr) &&
                       (!palette || std::memcmp(cache.palette.data(), palette, sizeof(cache.palette)) == 0);
    bool sameFormat = std::memcmp(&cache.format, &format, sizeof(format)) == 0;
    if (!cache.valid || !samePalette || !sameFormat) {
        cache.hasPalette = palette != nullptr;
        if (palette) {
            std::memcpy(cache.palette.data(), palette, sizeof(cache.palette));
        }
        cache.format = format;
        pixel_blend::BuildRleTable(palette, format.depth, pixel_blend::Layout::Of(format), cache.table);
        cache.valid = true;
    }
    return cache.table;
}

int AnimatedRLESprite::ClampFrame(int frame) const
{
    return std::clamp(frame, 0, std::max(GetFrameCount() - 1, 0));
}

int AnimatedRLESprite::GetWidth(int frame) const
{
    return frames.empty() ? 0 : frames[ClampFrame(frame)].image->GetWidth();
}

int AnimatedRLESprite::GetHeight(int frame) const
{
    return frames.empty() ? 0 : frames[ClampFrame(frame)].image->GetHeight();
}

const Image* AnimatedRLESprite::GetFrameImage(int frame) const
{
    return frame >= 0 && frame < GetFrameCount() ? frames[frame].image.get() : nullptr;
}

const Image* AnimatedRLESprite::GetAlphaFrameImage(int frame) const
{
    return frame >= 0 && frame < GetFrameCount() ? frames[frame].alpha.get() : nullptr;
}

ImageRect AnimatedRLESprite::GetFrameRect(int frame) const
{
    return frame >= 0 && frame < GetFrameCount() ? frames[frame].rect : ImageRect{};
}

bool AnimatedRLESprite::IsPixelTransparent(const SpritePoint&, int) const
{
    Debug::Instance().Warning(
        "AnimatedRLESprite::IsPixelTransparent: Pixelcollision bei RLE-Sprites noch nicht implementiert!\n");
    return true;
}

void AnimatedRLESprite::DrawEx(const DrawInfo& info)
{
    if (info.Has(DI_DEST_SIZE)) {
        Debug::Instance().Warning(
            "AnimatedRLESprite::DrawEx: DI_DEST_SIZE Blit wird derzeit nicht unterst\xFCtzt!\n");
        return;
    }
    float scale = info.scale;
    if (frames.empty() || !(scale > 0.0f) || !std::isfinite(scale)) {
        return;
    }
    const Frame& frame = frames[ClampFrame(info.frame)];
    float x = static_cast<float>(frame.rect.left) * scale + static_cast<float>(info.destX);
    float y = static_cast<float>(frame.rect.top) * scale + static_cast<float>(info.destY);
    if (info.Has(DI_CENTER)) {
        x -= static_cast<float>(fullWidth / 2) * scale;
        y -= static_cast<float>(fullHeight / 2) * scale;
    } else if (info.Has(DI_BOTTOM_CENTER)) {
        x -= static_cast<float>(fullWidth / 2) * scale;
        y -= static_cast<float>(fullHeight) * scale;
    }
    if (scale == 1.0f) {
        DrawUnscaled(frame, x, y);
    } else {
        DrawScaled(frame, x, y, scale);
    }
}

void AnimatedRLESprite::DrawUnscaled(const Frame& frame, float x, float y)
{
    int frameWidth = frame.image->GetWidth();
    int frameHeight = frame.image->GetHeight();
    int left = static_cast<int>(x);
    int top = static_cast<int>(y);
    ImageRect destination{left, top, left + frameWidth - 1, top + frameHeight - 1};
    ImageRect source{0, 0, frameWidth - 1, frameHeight - 1};
    if (!sprite_clipping::ClipScaled(destination, source)) {
        return;
    }
    std::optional<RleFrameRows> rows = RowsOf(frame);
    if (!rows || !rows->Prepare("AnimatedRLESprite::DrawAlpha: Unsupported ScreenDepth %d!\n")) {
        return;
    }
    int count = destination.right - destination.left + 1;
    for (int row = source.top; row <= source.bottom; ++row) {
        rows->Apply(row, destination.top + row - source.top, destination.left, source.left, nullptr, count);
    }
}

std::optional<RleFrameRows> AnimatedRLESprite::RowsOf(const Frame& frame)
{
    const uint8_t* unpacked = DecodedFrameCache::Instance().Find(frame.unpackedKey, *frame.image, frame.alpha.get());
    if (!unpacked) {
        return std::nullopt;
    }
    return std::optional<RleFrameRows>(std::in_place, unpacked, *frame.image, frame.alpha != nullptr,
                                       TableFor(*frame.image));
}

void AnimatedRLESprite::DrawScaled(const Frame& frame, float x, float y, float scale)
{
    int frameWidth = frame.image->GetWidth();
    int frameHeight = frame.image->GetHeight();
    float right = x + static_cast<float>(frameWidth - 1) * scale;
    float bottom = y + static_cast<float>(frameHeight - 1) * scale;
    ImageRect unclipped{static_cast<int>(static_cast<double>(x) + kEdgeInset),
                        static_cast<int>(static_cast<double>(y) + kEdgeInset),
                        static_cast<int>(static_cast<double>(right) - kEdgeInset),
                        static_cast<int>(static_cast<double>(bottom) - kEdgeInset)};
    float sourceLeft = (static_cast<float>(unclipped.left) - x) / scale;
    float sourceTop = (static_cast<float>(unclipped.top) - y) / scale;
    float sourceRight = static_cast<float>(frameWidth - 1) - (right - static_cast<float>(unclipped.right)) / scale;
    float sourceBottom =
        static_cast<float>(frameHeight - 1) - (bottom - static_cast<float>(unclipped.bottom)) / scale;
    ImageRect destination = unclipped;
    ImageRect wholeFrame{0, 0, frameWidth - 1, frameHeight - 1};
    if (unclipped.right < unclipped.left || unclipped.bottom < unclipped.top ||
        !sprite_clipping::ClipScaled(destination, wholeFrame)) {
        return;
    }
    std::optional<RleFrameRows> rows = RowsOf(frame);
    if (!rows) {
        return;
    }
    if (!rows->Prepare("AnimatedRLESprite::DrawScaledAlpha: Unsupported ScreenDepth %d!\n")) {
        if (rows->LockFailed()) {
            Debug::Instance().Log("src-rect %f %f %f %f  dest-rect %d %d %d %d\n", sourceLeft, sourceTop,
                                  sourceRight, sourceBottom, destination.left, destination.top, destination.right,
                                  destination.bottom);
        }
        return;
    }
    // Each destination pixel samples the source at left + column x step, step = source width /
    // destination width; clipped columns and rows are skipped on the same walk, so a sprite
    // entering the frame keeps its sampling.
    int64_t stepU = static_cast<int64_t>((sourceRight - sourceLeft + 1.0f) * kFixedOne) /
                    (unclipped.right - unclipped.left + 1);
    int64_t stepV = static_cast<int64_t>((sourceBottom - sourceTop + 1.0f) * kFixedOne) /
                    (unclipped.bottom - unclipped.top + 1);
    int columns[sprite_clipping::kFrameRight + 1];
    int sourceRows[sprite_clipping::kFrameBottom + 1];
    int count = destination.right - destination.left + 1;
    int rowCount = destination.bottom - destination.top + 1;
    FillSourceIndices(columns, count, static_cast<int64_t>(sourceLeft * kFixedOne), stepU,
                      destination.left - unclipped.left, frameWidth - 1);
    FillSourceIndices(sourceRows, rowCount, static_cast<int64_t>(sourceTop * kFixedOne), stepV,
                      destination.top - unclipped.top, frameHeight - 1);
    for (int row = 0; row < rowCount; ++row) {
        rows->Apply(sourceRows[row], destination.top + row, destination.left, 0, columns, count);
    }
}
