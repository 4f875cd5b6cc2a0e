#include <gtest/gtest.h>

#include <vector>

#include "audio/AudioTestSupport.h"
#include "audio/OggDecoder.h"
#include "audio/OggLoader.h"
#include "audio/OggStream.h"

using namespace audiotest;

using Ogg = AudioFixture;

TEST_F(Ogg, LoaderDecodesTheWholeTone)
{
    dir.Write("data/tone.ogg", OggTone(22050, 2, 11025, 16000));
    SampleData data;
    ASSERT_TRUE(OggLoader().Load("tone.ogg", data));
    EXPECT_EQ((std::vector<int>{data.rate, data.channels, data.bits, data.frames, data.bytes}),
              (std::vector<int>{22050, 2, 16, 11025, 11025 * 4}));
    const auto* words = reinterpret_cast<const int16_t*>(data.data.data());
    EXPECT_NEAR(PeakLeft(std::vector<int16_t>(words, words + data.data.size() / 2)), 16000, 1600);
}

// Empty bytes were once copied from a null buffer on the decoder's first read.
TEST_F(Ogg, GarbageEmptyBytesAndABareCapturePatternAreRefusedAndATruncatedFileDecodesWhatItHas)
{
    dir.Write("data/junk.ogg", std::string(5000, 'x'));
    SampleData data;
    EXPECT_FALSE(OggLoader().Load("junk.ogg", data));
    EXPECT_NE(LogText().find("OggLoader: <junk.ogg> does not appear to be an Ogg bitstream."), std::string::npos);
    OggStream stream;
    EXPECT_FALSE(stream.Open("junk.ogg", data));
    EXPECT_NE(LogText().find("OggStream: Input does not appear to be an Ogg bitstream."), std::string::npos);
    EXPECT_EQ(stream.Refill(nullptr, 0), 0);

    OggDecoder empty;
    EXPECT_FALSE(empty.Open(std::vector<uint8_t>()));
    EXPECT_FALSE(empty.IsOpen());
    EXPECT_FALSE(empty.Reopen());
    OggDecoder capture;
    EXPECT_FALSE(capture.Open(std::vector<uint8_t>{'O', 'g', 'g', 'S'}));
    uint8_t buffer[16];
    EXPECT_LE(capture.Read(buffer, sizeof buffer), 0);

    const std::string whole = OggTone(8000, 1, 10 * 8000, 10000);
    dir.Write("data/cut.ogg", whole.substr(0, whole.size() * 3 / 4));
    SampleData cut;
    ASSERT_TRUE(OggLoader().Load("cut.ogg", cut)) << LogText();
    EXPECT_GT(cut.frames, 0) << LogText();
    EXPECT_LT(cut.frames, 10 * 8000);
}

TEST_F(Ogg, StreamStartsOverAfterItsEnd)
{
    dir.Write("data/music.ogg", OggTone(8000, 1, 4000, 12000));
    OggStream stream;
    SampleData data;
    ASSERT_TRUE(stream.CanOpen("music"));
    ASSERT_TRUE(stream.Open("music", data));
    EXPECT_EQ((std::vector<int>{data.rate, data.channels, data.bits}), (std::vector<int>{8000, 1, 16}));
    EXPECT_TRUE(data.data.empty());

    std::vector<uint8_t> block(4096);
    auto decodeToEnd = [&] {
        int total = 0;
        for (int got = stream.Refill(block.data(), 4096); got > 0; got = stream.Refill(block.data(), 4096)) {
            total += got;
        }
        return total;
    };
    EXPECT_EQ(decodeToEnd(), 8000);
    EXPECT_EQ(decodeToEnd(), 8000);
    stream.Refill(block.data(), 100);
    stream.Rewind();
    EXPECT_EQ(decodeToEnd(), 8000);
    stream.Close();
    EXPECT_EQ(stream.Refill(block.data(), 4096), 0);
}
