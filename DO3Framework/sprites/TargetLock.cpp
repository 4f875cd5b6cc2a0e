#include "sprites/TargetLock.h"

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "platform/PlatformResult.h"

namespace {

// A lost surface is never an error: the display restores it before the next present.
bool Succeeded(int32_t result, int line)
{
    if (result == platform::kResultSurfaceLost) {
        DirectDraw::Instance().ReportLostSurface();
        return false;
    }
    return !Debug::Instance().CheckDirectXResult(result, "TargetLock", line);
}

}  // namespace

TargetLock::TargetLock()
{
    platform::PixelSurface* renderTarget = DirectDraw::Instance().GetRenderTarget();
    if (renderTarget && Succeeded(renderTarget->Lock(pixels), __LINE__)) {
        target = renderTarget;
    }
}

TargetLock::~TargetLock()
{
    Unlock();
}

int32_t TargetLock::Unlock()
{
    if (!target) {
        return platform::kResultOk;
    }
    platform::PixelSurface* locked = target;
    target = nullptr;
    int32_t result = locked->Unlock();
    Succeeded(result, __LINE__);
    return result;
}
