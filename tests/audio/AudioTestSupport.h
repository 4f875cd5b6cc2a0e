#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/AudioEvent.h"
#include "audio/TestSounds.h"
#include "support/TempDir.h"

namespace platform {
class Mixer;
}

// Mix inspection and a fixture with a pulled mixer, an enabled sound engine
// and a log in a temporary directory.
namespace audiotest {

constexpr int kOutputRate = 44100;

// A 16-bit WAV file holding one value in every sample.
std::string ConstantWav(int rate, int channels, int frames, int16_t value);
// The mixer's next frames, stereo.
std::vector<int16_t> Pull(platform::Mixer& mixer, int frames);
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
    // Lists data/<file> as sample "sample_<file>" (copies times) and defines an event playing it.
    static AudioEvent& DefineEvent(const std::string& event, const std::string& file, int copies = 1);

    TempDir dir;
};

}  // namespace audiotest
