#pragma once

#include "sound/Synth.h"

// The shape both films share. The game shows a film across the whole width of its 4:3 screen,
// so the picture is about 1.73 times as wide as high; sides in multiples of 16 suit JPEG's
// blocks. Fifteen pictures a second keep motion smooth, and with JPEG quality 75 a film of 16
// seconds stays under 8 MB; the sound is mono at the effects' rate, which divides evenly into
// pictures (1470 samples each).
namespace film_format {

constexpr int kWidth = 640;
constexpr int kHeight = 368;
constexpr int kFramesPerSecond = 15;
constexpr int kJpegQuality = 75;
constexpr int kSampleRate = synth::kEffectRate;
constexpr int kSamplesPerFrame = kSampleRate / kFramesPerSecond;

constexpr double Seconds(int frame) { return static_cast<double>(frame) / kFramesPerSecond; }

}  // namespace film_format
