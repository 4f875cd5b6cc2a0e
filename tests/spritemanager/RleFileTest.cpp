#include "spritemanager/SpriteTestSupport.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "files/ArchiveBytes.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "images/ImageUtil.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/RleFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStripWidth = 12;

// Two 12 x 4 frames stacked, each with a small block of colour `shade`; frame 1's touches the
// left edge.
std::string Strip(uint8_t shade)
{
    std::vector<uint8_t> pixels(kStripWidth * 8, 0);
    auto at = [&pixels](int x, int y) -> uint8_t& { return pixels[static_cast<size_t>(y * kStripWidth + x)]; };
    at(1, 1) = at(2, 1) = at(1, 2) = at(2, 2) = shade;
    at(0, 6) = at(1, 6) = at(0, 7) = shade;
    return Bmp8(kStripWidth, 8, pixels);
}

std::vector<uint8_t> FrameBytes(const AnimatedRLESprite& sprite, int frame)
{
    const Image* image = sprite.GetFrameImage(frame);
    return std::vector<uint8_t>(image->GetData(), image->GetData() + image->GetDataSize());
}

template <class Bytes>
void PutI32(Bytes& bytes, size_t offset, int32_t value)
{
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<typename Bytes::value_type>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

// Where the first frame record and its left and right fields lie.
constexpr size_t kFirstRecord = RleFile::kHeaderSize;
constexpr size_t kLeftField = kFirstRecord + 8;
constexpr size_t kRightField = kFirstRecord + 16;

class RleFileTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        dir.Write("anim.bmp", Strip(200));
        Register("anim", "anim", SpriteInfo::kAnimRle, 2);
    }

    AnimatedRLESprite* Load(const std::string& label = "anim")
    {
        Sprites().ReleaseSprite(label);
        return dynamic_cast<AnimatedRLESprite*>(Sprites().GetSprite(label));
    }

    // New pixels for the picture; its time moves on only when asked.
    void RepaintPicture(uint8_t shade, bool touch)
    {
        fs::path picture = dir.Path() / "anim.bmp";
        fs::file_time_type before = fs::last_write_time(picture);
        dir.Write("anim.bmp", Strip(shade));
        fs::last_write_time(picture, touch ? before + std::chrono::seconds(10) : before);
    }

    static uint8_t FirstOpaqueIndex(const AnimatedRLESprite& sprite)
    {
        std::vector<uint8_t> bytes = FrameBytes(sprite, 0);
        // A run-length stream of small grey frames: the colour follows a run control byte.
        for (uint8_t b : bytes) {
            if (b == 200 || b == 90) {
                return b;
            }
        }
        return 0;
    }
};

TEST_F(RleFileTest, BuildingWritesTheFileAndLoadingTrustsIt)
{
    AnimatedRLESprite* built = Load();
    ASSERT_NE(built, nullptr);
    ASSERT_TRUE(dir.Exists("anim.rle"));
    std::vector<uint8_t> firstFrame = FrameBytes(*built, 0);
    ImageRect firstRect = built->GetFrameRect(0);

    // Same time, other pixels: the pre-encoded frames are used.
    RepaintPicture(90, false);
    AnimatedRLESprite* loaded = Load();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetFrameCount(), 2);
    EXPECT_EQ(loaded->GetFullWidth(), kStripWidth);
    EXPECT_EQ(loaded->GetFullHeight(), 4);
    EXPECT_EQ(FrameBytes(*loaded, 0), firstFrame);
    EXPECT_EQ(loaded->GetFrameRect(0), firstRect);
    EXPECT_EQ(FirstOpaqueIndex(*loaded), 200);
    EXPECT_EQ(loaded->GetFrameImage(1)->GetPalette()[200], MakeColor(200, 200, 200));
}

TEST_F(RleFileTest, ChangedPictureIsRebuiltAndRewrittenWhole)
{
    ASSERT_NE(Load(), nullptr);
    std::string before = dir.Read("anim.rle");
    // Another instance reading the cache while this one rewrites it still reads the old file whole.
    std::ifstream reader(dir.Path() / "anim.rle", std::ios::binary);
    RepaintPicture(90, true);
    AnimatedRLESprite* rebuilt = Load();
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3)
        << "nothing but the picture, the cache and the log is left";
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(FirstOpaqueIndex(*rebuilt), 90);
    std::string after = dir.Read("anim.rle");
    EXPECT_NE(after, before);
    uint64_t stored = 0;
    std::memcpy(&stored, after.data() + 4, sizeof(stored));
    EXPECT_EQ(stored, File::GetFileTime("anim.bmp"));
}

TEST_F(RleFileTest, AnAlphaPictureAddedLaterOrAnotherFrameCountMakesTheFileStale)
{
    ASSERT_NE(Load(), nullptr);
    EXPECT_FALSE(Load()->HasAlpha());
    dir.Write("anim_alpha.bmp", Strip(255));
    AnimatedRLESprite* withAlpha = Load();
    ASSERT_NE(withAlpha, nullptr);
    EXPECT_TRUE(withAlpha->HasAlpha());
    EXPECT_EQ(dir.Read("anim.rle")[2073], 1);
    // So does another frame count in the list.
    Register("anim", "anim", SpriteInfo::kAnimRle, 4);
    AnimatedRLESprite* recut = Load();
    ASSERT_NE(recut, nullptr);
    EXPECT_EQ(recut->GetFrameCount(), 4);
    EXPECT_EQ(recut->GetFullHeight(), 2);
    EXPECT_EQ(dir.Read("anim.rle")[2076], 4);
}

TEST_F(RleFileTest, MirroredEntryHasAFileOfItsOwn)
{
    Register("anim_flipped", "anim", SpriteInfo::kAnimRle, 2, true);
    AnimatedRLESprite* plain = Load("anim");
    AnimatedRLESprite* mirrored = Load("anim_flipped");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(mirrored, nullptr);
    EXPECT_TRUE(dir.Exists("anim_mirror.rle"));
    // Frame 1's block hugs the left edge; mirrored it hugs the right one.
    EXPECT_LT(plain->GetFrameRect(1).left, mirrored->GetFrameRect(1).left);

    // A change of the picture reaches the mirrored file as well.
    RepaintPicture(90, true);
    EXPECT_EQ(FirstOpaqueIndex(*Load("anim_flipped")), 90);
}

TEST_F(RleFileTest, ArchiveDataIsTrustedAndNeverWritten)
{
    ASSERT_NE(Load(), nullptr);
    std::string stale = dir.Read("anim.rle");
    PutI32(stale, 4, 12345);
    dir.Write("datafile.dat", archivebytes::Archive({{"anim.rle", stale}, {"anim.bmp", Strip(90)}}));
    fs::remove(dir.Path() / "anim.rle");
    ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
    ASSERT_TRUE(DataFile::Instance().IsAvailable());

    AnimatedRLESprite* fromArchive = Load();
    ASSERT_NE(fromArchive, nullptr);
    EXPECT_EQ(FirstOpaqueIndex(*fromArchive), 200);

    // A damaged file in the archive is rebuilt from the archive's picture, but not written.
    DataFile::Instance().Close();
    dir.Write("datafile.dat", archivebytes::Archive({{"anim.rle", stale.substr(0, stale.size() - 1)}, {"anim.bmp", Strip(90)}}));
    ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
    AnimatedRLESprite* rebuilt = Load();
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(FirstOpaqueIndex(*rebuilt), 90);
    EXPECT_TRUE(Logged("SpriteLoaderUtil::CreatePreEncodedData: Try to create pre-encoded data with loaded Onefile!"));
    EXPECT_FALSE(dir.Exists("anim.rle"));
    DataFile::Release();
}

TEST_F(RleFileTest, PicturesThatAreNotEightBitOrCannotBeCutAreRefused)
{
    dir.Write("anim.bmp", Bmp24(kStripWidth, 8, std::vector<Color>(kStripWidth * 8, 0xFFFFFF)));
    EXPECT_EQ(Load(), nullptr);
    EXPECT_TRUE(Logged("ist nicht 8Bit!"));
    EXPECT_FALSE(dir.Exists("anim.rle"));

    // Nor are pictures that cannot be cut into the frames, or whose alpha picture does not fit.
    dir.Write("anim.bmp", Strip(200));
    Register("anim", "anim", SpriteInfo::kAnimRle, 100);
    EXPECT_EQ(Load(), nullptr);
    EXPECT_FALSE(dir.Exists("anim.rle"));
    Register("anim", "anim", SpriteInfo::kAnimRle, 2);
    dir.Write("anim_alpha.bmp", Bmp8(2, 2, {255, 255, 255, 255}));
    EXPECT_EQ(Load(), nullptr);
    EXPECT_FALSE(dir.Exists("anim.rle"));
}

TEST_F(RleFileTest, ListWritesFilesAheadWhenConfiguredTo)
{
    dir.Write("sprites.txt", "anim anim_rle anim normx 2\n");
    ASSERT_TRUE(SpriteLoaderUtil::Instance().Load("sprites.txt", "", 0.0f, 0.0f, false));
    EXPECT_FALSE(dir.Exists("anim.rle"));

    dir.Write("config.txt", "generateRleFiles 1\n");
    ASSERT_TRUE(SettingsManager::Instance().LoadSettings("config.txt"));
    ASSERT_TRUE(SpriteLoaderUtil::Instance().Load("sprites.txt", "", 0.0f, 0.0f, false));
    EXPECT_TRUE(dir.Exists("anim.rle"));
}

// Damage done to a good file, each of which must make the loader ignore it.
struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
};

class DamagedRleFile : public RleFileTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedRleFile, IsIgnoredAndRebuilt)
{
    ASSERT_NE(Load(), nullptr);
    std::string good = dir.Read("anim.rle");
    std::string bad = good;
    GetParam().apply(bad);
    dir.Write("anim.rle", bad);
    fs::last_write_time(dir.Path() / "anim.rle", fs::last_write_time(dir.Path() / "anim.bmp"));

    AnimatedRLESprite* sprite = Load();
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->GetFrameCount(), 2);
    EXPECT_EQ(FirstOpaqueIndex(*sprite), 200);
    EXPECT_EQ(dir.Read("anim.rle"), good);
}

INSTANTIATE_TEST_SUITE_P(
    RleFile, DamagedRleFile,
    ::testing::Values(
        Damage{"Truncated", [](std::string& b) { b.pop_back(); }},
        Damage{"HeaderOnlyHalf", [](std::string& b) { b.resize(1000); }},
        Damage{"TrailingByte", [](std::string& b) { b.push_back('\0'); }},
        Damage{"OtherVersion", [](std::string& b) { PutI32(b, 0, 102); }},
        Damage{"HugeFrameCount", [](std::string& b) { PutI32(b, 2076, 0x7FFFFFFF); }},
        Damage{"NegativeFrameCount", [](std::string& b) { PutI32(b, 2076, -1); }},
        Damage{"ZeroCellWidth", [](std::string& b) { PutI32(b, 2060, 0); }},
        Damage{"WidthDisagreesWithRect", [](std::string& b) { PutI32(b, kFirstRecord, 3); }},
        Damage{"RectOutsideCell", [](std::string& b) { PutI32(b, kRightField, 9); }},
        Damage{"DataSizePastEnd", [](std::string& b) { PutI32(b, kFirstRecord + 24, 1 << 20); }},
        Damage{"NegativeDataSize", [](std::string& b) { PutI32(b, kFirstRecord + 24, -8); }},
        Damage{"AlphaSizeWithoutAlpha", [](std::string& b) { PutI32(b, kFirstRecord + 28, 4); }}),
    [](const ::testing::TestParamInfo<Damage>& param) { return std::string(param.param.name); });

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

// Why the frames of a file with a good header are refused, or "" when they are taken.
std::string ProblemOf(const std::vector<uint8_t>& bytes)
{
    RleFile::Header header;
    std::string problem;
    EXPECT_TRUE(RleFile::ParseHeader(bytes, header, problem)) << problem;
    AnimatedRLESprite sprite;
    if (RleFile::ParseFrames(bytes, header, sprite, problem)) {
        return "";
    }
    EXPECT_EQ(sprite.GetFrameCount(), 0);
    return problem;
}

// Found by fuzzing: the width of a rectangle with a far negative corner overflowed before the
// corners were checked against the cell.
TEST(RleFileRectangle, CornersOutsideTheCellOrInvertedAreRefusedWithoutOverflow)
{
    EXPECT_EQ(ProblemOf(OneFrameFile()), "");
    const std::vector<std::vector<std::pair<size_t, int32_t>>> corners = {
        {{kLeftField, INT_MIN + 1}}, {{kRightField, INT_MIN}}, {{kLeftField, 3}, {kRightField, 0}}};
    for (const auto& fields : corners) {
        std::vector<uint8_t> bytes = OneFrameFile();
        for (const auto& [at, value] : fields) {
            PutI32(bytes, at, value);
        }
        EXPECT_EQ(ProblemOf(bytes), "frame rectangle outside its cell") << fields[0].second;
    }
}

}  // namespace
