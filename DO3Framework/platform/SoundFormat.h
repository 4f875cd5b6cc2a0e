#pragma once

// The PCM layout of a sound buffer: any rate, 8-bit unsigned or 16-bit signed little-endian,
// mono or stereo, frames interleaved.
namespace platform {

struct SoundFormat {
    int rate = 0;
    int bits = 0;
    int channels = 0;

    int BlockAlign() const { return channels * bits / 8; }
    bool IsValid() const { return rate > 0 && (bits == 8 || bits == 16) && (channels == 1 || channels == 2); }
};

}  // namespace platform
