#pragma once

#include <cstdint>

// Result codes of the display and sound services of the platform layer; 0 is success.
// The values stay stable so that a logged code can be looked up here.
namespace platform {

enum PlatformResult : int32_t {
    kResultOk = 0,
    kResultGeneric = static_cast<int32_t>(0x80A10001),
    kResultOutOfMemory = static_cast<int32_t>(0x80A10002),
    kResultUnsupported = static_cast<int32_t>(0x80A10003),
    kResultInvalidParams = static_cast<int32_t>(0x80A10004),
    kResultNotInitialized = static_cast<int32_t>(0x80A10005),
    kResultSurfaceLost = static_cast<int32_t>(0x80A10006),
    kResultSurfaceBusy = static_cast<int32_t>(0x80A10007),
    kResultInvalidRect = static_cast<int32_t>(0x80A10008),
    kResultInvalidPixelFormat = static_cast<int32_t>(0x80A10009),
    kResultNoDisplay = static_cast<int32_t>(0x80A1000A),
    kResultModeUnavailable = static_cast<int32_t>(0x80A1000B),
    kResultNoAudioDevice = static_cast<int32_t>(0x80A1000C),
    kResultBufferLost = static_cast<int32_t>(0x80A1000D),
    kResultInvalidCall = static_cast<int32_t>(0x80A1000E),
};

// The name of a code ("PLATFORM_SURFACE_LOST"), or null for a code the layer never returns.
const char* PlatformResultName(int32_t result);

}  // namespace platform
