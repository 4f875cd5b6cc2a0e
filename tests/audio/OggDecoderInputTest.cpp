#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "audio/OggDecoder.h"

// Found by fuzzing: empty bytes were copied from a null buffer on the decoder's first read.
TEST(OggDecoderInput, EmptyBytesAreRefusedWithoutTouchingMemory)
{
    OggDecoder decoder;
    EXPECT_FALSE(decoder.Open(std::vector<uint8_t>()));
    EXPECT_FALSE(decoder.IsOpen());
    EXPECT_FALSE(decoder.Reopen());
}

TEST(OggDecoderInput, ABareCapturePatternIsNoBitstream)
{
    OggDecoder decoder;
    EXPECT_FALSE(decoder.Open(std::vector<uint8_t>{'O', 'g', 'g', 'S'}));
    uint8_t buffer[16];
    EXPECT_LE(decoder.Read(buffer, sizeof buffer), 0);
}
