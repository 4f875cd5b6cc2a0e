#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempDir.h"

// Builders of small sound files and a fixture with a pulled mixer, an enabled sound engine
// and a log in a temporary directory.
namespace audiotest {

constexpr int kOutputRate = 44100;

// A RIFF/WAVE file around raw PCM bytes, with the sizes as given.
std::string WavFile(int rate, int bits, int channels, const std::string& pcm);
// 16-bit samples as little-endian bytes.
std::string Pcm16(const std::vector<int16_t>& samples);
// A sine tone, interleaved, the same on every channel.
std::vector<int16_t> Tone(int rate, int channels, int frames, int amplitude, float frequencyHz = 440.0f);
// The tone encoded as Ogg Vorbis.
std::string OggTone(int rate, int channels, int frames, int amplitude, float frequencyHz = 440.0f);

// Frames of the stereo mix whose left sample is not 0.
int SoundingFrames(const std::vector<int16_t>& stereo);
int PeakLeft(const std::vector<int16_t>& stereo);

class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The next frames of the mix.
    std::vector<int16_t> Pull(int frames);
    std::string LogText() const;

    TempDir dir;
};

}  // namespace audiotest
