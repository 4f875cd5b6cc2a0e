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

// The bytes with a little-endian value of the given width written at a position.
std::string Patched(std::string bytes, size_t at, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// Offsets in the canonical 44-byte header.
constexpr size_t kFmtSize = 16;
constexpr size_t kChannels = 22;
constexpr size_t kBlockAlign = 32;
constexpr size_t kBits = 34;
constexpr size_t kDataSize = 40;

}  // namespace

TEST_F(WavValidation, BrokenHeadersAreRefusedWithTheirReasonAndAPartialFrameDropped)
{
    ExpectRefused(Patched(Good(), kDataSize, 9, 4), "runs past the end");
    ExpectRefused(Patched(Good(), kDataSize, 0xFFFFFFF0u, 4), "runs past the end");
    ExpectRefused(Patched(Good(), kDataSize, 0, 4), "Zero length wav sample");
    ExpectRefused(Patched(Good(), kFmtSize, 14, 4), "fmt chunk shorter than 16 bytes");
    ExpectRefused("RIFF\x04\0\0\0WAVEfmt \x10\0\0\0\x01\0"s, "fmt chunk shorter than 16 bytes");
    ExpectRefused(Patched(Good(), kChannels, 0, 2), "zero channels, bits or rate");
    ExpectRefused(Patched(Good(), kBits, 0, 2), "zero channels, bits or rate");
    ExpectRefused(Patched(Good(), kBlockAlign, 3, 2), "unsupported format");
    ExpectRefused(Patched(Good(), kBits, 12, 2), "unsupported format");
    ExpectRefused("RIFF\x04\0\0\0JUNKfmt "s, "could not find WAVE chunk");
    ExpectRefused("RIFF\x04\0\0\0WAVEjunk"s, "could not find fmt chunk");
    ExpectRefused(Good().replace(36, 4, "atad"), "could not find data chunk");
    ExpectRefused(Good().substr(0, 42), "could not find data chunk");
    // A partial frame at the end is dropped.
    dir.Write("data/odd.wav", WavFile(8000, 16, 2, Pcm16({1, 2, 3})));
    SampleData odd;
    ASSERT_TRUE(WavLoader().Load("odd.wav", odd));
    EXPECT_EQ(odd.frames, 1);
    EXPECT_EQ(odd.bytes, 4);
}

TEST_F(WavValidation, ChunksAreWalkedByTheirSizesWithThePadByte)
{
    // An odd-sized chunk and its pad byte put "data" off the 4-byte grid; the skipped chunk
    // holds the word "data" on that grid.
    const std::string good = Good();
    const std::string odd = "LIST\x05\0\0\0data\x7f\0"s;
    dir.Write("data/list.wav", good.substr(0, 36) + odd + good.substr(36));
    SampleData data;
    ASSERT_TRUE(WavLoader().Load("list.wav", data)) << LogText();
    EXPECT_EQ(data.frames, 4);
    EXPECT_EQ(data.data, std::vector<uint8_t>({1, 0, 2, 0, 3, 0, 4, 0}));

    // A chunk claiming more than the file holds is refused, not stepped over.
    ExpectRefused(Patched(good.substr(0, 36) + odd + good.substr(36), 40, 0xFFFFFFF0u, 4),
                  "WavLoader::Load: the chunk at byte 36 claims 4294967280 bytes, past the end of <");
}
