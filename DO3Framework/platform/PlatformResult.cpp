#include "platform/PlatformResult.h"

namespace platform {

const char* PlatformResultName(int32_t result)
{
    switch (result) {
    case kResultOk: return "PLATFORM_OK";
    case kResultGeneric: return "PLATFORM_GENERIC";
    case kResultOutOfMemory: return "PLATFORM_OUT_OF_MEMORY";
    case kResultUnsupported: return "PLATFORM_UNSUPPORTED";
    case kResultInvalidParams: return "PLATFORM_INVALID_PARAMS";
    case kResultNotInitialized: return "PLATFORM_NOT_INITIALIZED";
    case kResultSurfaceLost: return "PLATFORM_SURFACE_LOST";
    case kResultSurfaceBusy: return "PLATFORM_SURFACE_BUSY";
    case kResultInvalidRect: return "PLATFORM_INVALID_RECT";
    case kResultInvalidPixelFormat: return "PLATFORM_INVALID_PIXEL_FORMAT";
    case kResultNoDisplay: return "PLATFORM_NO_DISPLAY";
    case kResultModeUnavailable: return "PLATFORM_MODE_UNAVAILABLE";
    case kResultNoAudioDevice: return "PLATFORM_NO_AUDIO_DEVICE";
    case kResultBufferLost: return "PLATFORM_BUFFER_LOST";
    case kResultInvalidCall: return "PLATFORM_INVALID_CALL";
    }
    return nullptr;
}

}  // namespace platform
