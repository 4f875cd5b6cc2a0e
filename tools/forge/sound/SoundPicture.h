#pragma once

#include "core/Canvas.h"
#include "sound/Synth.h"

// A review picture of a sound: its waveform above (peak envelope per column) and its
// spectrogram below (40 Hz to 11 kHz upwards on a log scale, 90 dB of range from dark to
// bright).
namespace soundpicture {

constexpr int kWidth = 400;
constexpr int kWaveHeight = 70;
constexpr int kSpectrumHeight = 128;

Canvas Draw(const synth::Buffer& samples, int rate);

}  // namespace soundpicture
