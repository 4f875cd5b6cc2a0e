#pragma once

#include <cstdint>

#include "platform/PixelSurface.h"

// Direct pixel access to the display's render target for the blending sprites. A lost target
// is reported to the display (it restores before presenting); the lock ends with the object.
class TargetLock {
public:
    TargetLock();
    ~TargetLock();
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

    bool IsLocked() const { return target != nullptr; }
    uint8_t* Row(int y) const { return pixels.pixels + static_cast<long>(y) * pixels.pitch; }
    int BitsPerPixel() const { return pixels.format.bitsPerPixel; }
    int Width() const { return pixels.width; }
    int Height() const { return pixels.height; }
    // The platform's answer (a lost target has been reported); kResultOk when not locked.
    int32_t Unlock();

private:
    platform::PixelSurface* target = nullptr;
    platform::LockedPixels pixels;
};
