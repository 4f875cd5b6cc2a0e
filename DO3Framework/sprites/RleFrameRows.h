#pragma once

#include <cstdint>
#include <optional>

#include "sprites/PixelBlend.h"
#include "sprites/RleRowReader.h"
#include "sprites/TargetLock.h"

class Image;

// The rows of a run-length frame on their way to the render target: unpacked one at a time
// into the display's scratch buffer and applied through the frame's colour table while the
// target is locked (the lock ends with the object).
class RleFrameRows {
public:
    // alpha: the frame's alpha frame with its palette applied, or null.
    RleFrameRows(const Image& frame, const Image* alpha, const pixel_blend::RleTable& table);

    // Locks the target and lays out the scratch buffer; false when nothing can be drawn. Other
    // screen depths than 16, 24 and 32 log unsupportedDepth (a format taking the depth).
    bool Prepare(const char* unsupportedDepth);
    bool LockFailed() const { return lockFailed; }
    // Unpacks the next row, or passes over it; false when the stream ends early.
    bool Read();
    bool Skip();
    // Draws count pixels at (screenX, screenY): the unpacked row's pixels from sourceX on, or
    // the pixels the column table names when scaled.
    void Apply(int screenY, int screenX, int sourceX, const int* columns, int count);

private:
    using RowApplier = void (*)(uint8_t*, const uint8_t*, const uint8_t*, int, const pixel_blend::RleTable&,
                                const pixel_blend::Layout&);

    const Image& image;
    const Image* alpha;
    const pixel_blend::RleTable& table;
    RleRowReader colorReader;
    RleRowReader alphaReader;
    RowApplier apply = nullptr;
    uint8_t* colors = nullptr;
    uint8_t* alphas = nullptr;
    uint8_t* drawnColors = nullptr;
    uint8_t* drawnAlphas = nullptr;
    pixel_blend::Layout layout;
    std::optional<TargetLock> target;
    bool lockFailed = false;
    int bytes = 2;
};
