#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builders of small sound files for the audio tests and benchmarks (no test framework needed).
namespace audiotest {

// A RIFF/WAVE file around raw PCM bytes, with the sizes as given.
std::string WavFile(int rate, int bits, int channels, const std::string& pcm);
// 16-bit samples as little-endian bytes.
std::string Pcm16(const std::vector<int16_t>& samples);
// A sine tone, interleaved, the same on every channel.
std::vector<int16_t> Tone(int rate, int channels, int frames, int amplitude, float frequencyHz = 440.0f);
// The tone encoded as Ogg Vorbis.
std::string OggTone(int rate, int channels, int frames, int amplitude, float frequencyHz = 440.0f);

}  // namespace audiotest
