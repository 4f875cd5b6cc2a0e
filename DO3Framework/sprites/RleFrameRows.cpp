#include "sprites/RleFrameRows.h"

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/Image.h"

namespace {

// A drawn row never exceeds the frame's width.
constexpr int kMaxDrawnPixels = 1024;

void PickColumns(const uint8_t* __restrict colors, const uint8_t* __restrict alphas, const int* __restrict columns,
                 int count, uint8_t* __restrict pickedColors, uint8_t* __restrict pickedAlphas)
{
    for (int i = 0; i < count; ++i) {
        pickedColors[i] = colors[columns[i]];
    }
    if (alphas) {
        for (int i = 0; i < count; ++i) {
            pickedAlphas[i] = alphas[columns[i]];
        }
    }
}

void AlphaOfColors(const uint8_t* __restrict colors, int count, const uint8_t* __restrict alphaOf,
                   uint8_t* __restrict alphas)
{
    for (int i = 0; i < count; ++i) {
        alphas[i] = alphaOf[colors[i]];
    }
}

}  // namespace

RleFrameRows::RleFrameRows(const uint8_t* unpacked, const Image& frame, bool hasAlpha,
                           const pixel_blend::RleTable& colorTable)
    : colors(unpacked),
      alphas(hasAlpha ? unpacked + static_cast<size_t>(frame.GetWidth()) * static_cast<size_t>(frame.GetHeight())
                      : nullptr),
      width(frame.GetWidth()),
      table(colorTable)
{
}

bool RleFrameRows::Prepare(const char* unsupportedDepth)
{
    DirectDraw& display = DirectDraw::Instance();
    const ScreenFormat& format = display.GetScreenFormat();
    switch (format.depth) {
    case 16: apply = &pixel_blend::ApplyRleRow<uint16_t>; break;
    case 24: apply = &pixel_blend::ApplyRleRow24; break;
    case 32: apply = &pixel_blend::ApplyRleRow<uint32_t>; break;
    default: Debug::Instance().Warning(unsupportedDepth, format.depth); return false;
    }
    auto* scratch = reinterpret_cast<uint8_t*>(display.GetScratchBuffer());
    if (!scratch) {
        return false;
    }
    // Scratch: the row as drawn (colour indices and alpha values picked for each destination
    // pixel).
    drawnColors = scratch;
    drawnAlphas = drawnColors + kMaxDrawnPixels;
    layout = pixel_blend::Layout::Of(format);
    target.emplace();
    if (!target->IsLocked() || target->BitsPerPixel() != format.depth) {
        lockFailed = true;
        return false;
    }
    bytes = format.depth / 8;
    return true;
}

void RleFrameRows::Apply(int sourceY, int screenY, int screenX, int sourceX, const int* columns, int count)
{
    // Locals, so that the byte stores below cannot be taken to alias the members.
    size_t rowStart = static_cast<size_t>(sourceY) * static_cast<size_t>(width) + static_cast<size_t>(sourceX);
    const uint8_t* rowColors = colors + rowStart;
    const uint8_t* rowAlphas = alphas ? alphas + rowStart : nullptr;
    uint8_t* pickedColors = drawnColors;
    uint8_t* pickedAlphas = drawnAlphas;
    if (columns) {
        PickColumns(rowColors, rowAlphas, columns, count, pickedColors, pickedAlphas);
        rowColors = pickedColors;
        rowAlphas = rowAlphas ? pickedAlphas : nullptr;
    }
    if (!rowAlphas) {
        AlphaOfColors(rowColors, count, table.alpha, pickedAlphas);
        rowAlphas = pickedAlphas;
    }
    apply(target->Row(screenY) + screenX * bytes, rowColors, rowAlphas, count, table, layout);
}
