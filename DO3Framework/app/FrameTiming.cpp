#include "app/FrameTiming.h"

namespace frame_timing {

float StepSeconds(uint32_t elapsedMs)
{
    float dt = static_cast<float>(elapsedMs) * 0.001f;
    if (dt < kMinStepSeconds) {
        return kMinStepSeconds;
    }
    if (dt > kMaxStepSeconds) {
        return kMaxStepSeconds;
    }
    return dt;
}

}  // namespace frame_timing
