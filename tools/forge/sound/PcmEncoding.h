#pragma once

#include <cstdint>
#include <string>

#include "sound/Synth.h"

// Turns rendered sound into the files the engine reads.
namespace pcm {

// Float to 16-bit with rounding; anything past full scale is clamped (the limiter keeps
// sounds well below it).
int16_t ToSample(float value);

// RIFF/WAVE, 16-bit mono, the canonical 44-byte header ("fmt " of 16 bytes, then "data").
std::string EncodeWav(const synth::Buffer& samples, int rate);

// Ogg Vorbis, stereo, variable bit rate at the given quality. The stream's serial number is
// fixed, so the same sound gives the same bytes. Empty on an encoder failure.
std::string EncodeOggVorbis(const synth::Buffer& left, const synth::Buffer& right, int rate, float quality,
                            int serial);

}  // namespace pcm
