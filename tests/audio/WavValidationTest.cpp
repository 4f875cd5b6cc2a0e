#include <gtest/gtest.h>

#include "audio/AudioTestSupport.h"
#include "audio/WavLoader.h"

using namespace audiotest;
using namespace std::string_literals;

namespace {

class WavValidation : public AudioFixture {
protected:
    // Loads bytes as a WAV file; expects refusal with the given text in the log.
    void ExpectRefused(const std::string& bytes, const std::string& logText)
    {
        dir.Write("data/bad.wav", bytes);
        SampleData data;
        EXPECT_FALSE(WavLoader().Load("bad.wav", data)) << logText;
        EXPECT_TRUE(data.data.empty());
        EXPECT_NE(LogText().find(logText), std::string::npos) << LogText();
    }

    std::string Good() const { return WavFile(8000, 16, 1, Pcm16({1, 2, 3, 4})); }
};

void Patch16(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void Patch32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// Offsets in the canonical 44-byte header.
constexpr size_t kFmtSize = 16;
constexpr size_t kChannels = 22;
constexpr size_t kBlockAlign = 32;
constexpr size_t kBits = 34;
constexpr size_t kDataSize = 40;

}  // namespace

TEST_F(WavValidation, GoodFileLoads)
{
    SampleData data;
    dir.Write("data/good.wav", Good());
    ASSERT_TRUE(WavLoader().Load("good.wav", data));
    EXPECT_EQ(data.frames, 4);
    EXPECT_EQ(data.rate, 8000);
}

TEST_F(WavValidation, DataSizePastTheEndIsRefused)
{
    std::string bytes = Good();
    Patch32(bytes, kDataSize, 9);
    ExpectRefused(bytes, "runs past the end");
    Patch32(bytes, kDataSize, 0xFFFFFFF0u);
    ExpectRefused(bytes, "runs past the end");
}

TEST_F(WavValidation, ShortFormatChunkIsRefused)
{
    std::string bytes = Good();
    Patch32(bytes, kFmtSize, 14);
    ExpectRefused(bytes, "fmt chunk shorter than 16 bytes");
    ExpectRefused("RIFF\x04\0\0\0WAVEfmt \x10\0\0\0\x01\0"s, "fmt chunk shorter than 16 bytes");
}

TEST_F(WavValidation, ZeroChannelsOrBitsAreRefused)
{
    std::string bytes = Good();
    Patch16(bytes, kChannels, 0);
    ExpectRefused(bytes, "zero channels, bits or rate");
    bytes = Good();
    Patch16(bytes, kBits, 0);
    ExpectRefused(bytes, "zero channels, bits or rate");
}

TEST_F(WavValidation, OddBlockSizeIsRefused)
{
    std::string bytes = Good();
    Patch16(bytes, kBlockAlign, 3);
    ExpectRefused(bytes, "unsupported format");
    bytes = Good();
    Patch16(bytes, kBits, 12);
    ExpectRefused(bytes, "unsupported format");
}

TEST_F(WavValidation, MissingChunksAreRefused)
{
    ExpectRefused("RIFF\x04\0\0\0JUNKfmt "s, "could not find WAVE chunk");
    ExpectRefused("RIFF\x04\0\0\0WAVEjunk"s, "could not find fmt chunk");
    std::string bytes = Good();
    bytes.replace(36, 4, "atad");
    ExpectRefused(bytes, "could not find data chunk");
    bytes = Good();
    Patch32(bytes, kDataSize, 0);
    ExpectRefused(bytes, "Zero length wav sample");
    ExpectRefused(Good().substr(0, 42), "data chunk cut off");
}

TEST_F(WavValidation, PartialFrameAtTheEndIsDropped)
{
    std::string bytes = WavFile(8000, 16, 2, Pcm16({1, 2, 3}));
    dir.Write("data/odd.wav", bytes);
    SampleData data;
    ASSERT_TRUE(WavLoader().Load("odd.wav", data));
    EXPECT_EQ(data.frames, 1);
    EXPECT_EQ(data.bytes, 4);
}
