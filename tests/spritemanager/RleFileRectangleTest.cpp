#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "images/Image.h"
#include "images/ImageRect.h"
#include "images/ImageUtil.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/RleFile.h"

namespace {

// Where the first frame record's left, top, right and bottom fields lie.
constexpr size_t kLeftField = RleFile::kHeaderSize + 8;
constexpr size_t kRightField = RleFile::kHeaderSize + 16;

// The file of a one-frame sprite: a 4 x 3 frame filling its 4 x 3 cell.
std::vector<uint8_t> OneFrameFile()
{
    auto frame = std::make_unique<Image>();
    frame->Create(4, 3, 8, true);
    frame->GetData()[5] = 9;
    ImageUtil::Instance().RunLengthEncode(*frame);
    AnimatedRLESprite sprite;
    sprite.SetCellSize(4, 3);
    sprite.AddFrame(std::move(frame), nullptr, ImageRect{0, 0, 3, 2});
    return RleFile::Encode(sprite, 1);
}

void PutI32(std::vector<uint8_t>& bytes, size_t offset, int32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

std::string ProblemOf(const std::vector<uint8_t>& bytes)
{
    RleFile::Header header;
    std::string problem;
    EXPECT_TRUE(RleFile::ParseHeader(bytes, header, problem)) << problem;
    AnimatedRLESprite sprite;
    EXPECT_FALSE(RleFile::ParseFrames(bytes, header, sprite, problem));
    EXPECT_EQ(sprite.GetFrameCount(), 0);
    return problem;
}

}  // namespace

// Found by fuzzing: the width of a rectangle with a far negative corner overflowed before the
// corners were checked against the cell.
TEST(RleFileRectangle, CornersOutsideTheCellOrInvertedAreRefusedWithoutOverflow)
{
    std::vector<uint8_t> intact = OneFrameFile();
    RleFile::Header header;
    std::string problem;
    ASSERT_TRUE(RleFile::ParseHeader(intact, header, problem)) << problem;
    AnimatedRLESprite sprite;
    EXPECT_TRUE(RleFile::ParseFrames(intact, header, sprite, problem)) << problem;

    std::vector<uint8_t> farLeft = OneFrameFile();
    PutI32(farLeft, kLeftField, INT_MIN + 1);
    EXPECT_EQ(ProblemOf(farLeft), "frame rectangle outside its cell");
    std::vector<uint8_t> farRight = OneFrameFile();
    PutI32(farRight, kRightField, INT_MIN);
    EXPECT_EQ(ProblemOf(farRight), "frame rectangle outside its cell");
    std::vector<uint8_t> inverted = OneFrameFile();
    PutI32(inverted, kLeftField, 3);
    PutI32(inverted, kRightField, 0);
    EXPECT_EQ(ProblemOf(inverted), "frame rectangle outside its cell");
}
