#pragma once

#include <cstdint>

// Pacing of the frame loop: the time step handed to the game stays between 5 and 100 ms
// however long the previous frame took, and frames are at least 10 ms apart.
namespace frame_timing {

constexpr float kMinStepSeconds = 0.005f;
constexpr float kMaxStepSeconds = 0.1f;
constexpr uint32_t kMinFrameMilliseconds = 10;

// The time step for a frame that began elapsedMs after the previous mark.
float StepSeconds(uint32_t elapsedMs);

}  // namespace frame_timing
