#pragma once

#include <cstdint>
#include <optional>

#include "sprites/PixelBlend.h"
#include "sprites/TargetLock.h"

class Image;

// The rows of a run-length frame on their way to the render target: taken from the frame
// unpacked whole (DecodedFrameCache's layout), picked and applied through the frame's colour
// table while the target is locked (the lock ends with the object).
class RleFrameRows {
public:
    // unpacked: the colour indices, then the alpha values when hasAlpha (an alpha frame with
    // its palette applied).
    RleFrameRows(const uint8_t* unpacked, const Image& frame, bool hasAlpha, const pixel_blend::RleTable& table);

    // Locks the target and lays out the scratch buffer; false when nothing can be drawn. Other
    // screen depths than 16, 24 and 32 log unsupportedDepth (a format taking the depth).
    bool Prepare(const char* unsupportedDepth);
    bool LockFailed() const { return lockFailed; }
    // Draws count pixels of the frame's row sourceY at (screenX, screenY): the row's pixels
    // from sourceX on, or the pixels the column table names when scaled.
    void Apply(int sourceY, int screenY, int screenX, int sourceX, const int* columns, int count);

private:
    using RowApplier = void (*)(uint8_t*, const uint8_t*, const uint8_t*, int, const pixel_blend::RleTable&,
                                const pixel_blend::Layout&);

    const uint8_t* colors;
    const uint8_t* alphas;
    int width;
    const pixel_blend::RleTable& table;
    RowApplier apply = nullptr;
    uint8_t* drawnColors = nullptr;
    uint8_t* drawnAlphas = nullptr;
    pixel_blend::Layout layout;
    std::optional<TargetLock> target;
    bool lockFailed = false;
    int bytes = 2;
};
