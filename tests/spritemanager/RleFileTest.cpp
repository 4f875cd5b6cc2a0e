#include "spritemanager/SpriteTestSupport.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "files/ArchiveBytes.h"
#include "files/DataFile.h"
#include "files/File.h"
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

void PutI32(std::string& bytes, size_t offset, int32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    }
}

class RleFileTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        dir.Write("anim.bmp", Strip(200));
        RegisterAnim("anim", false);
    }

    void RegisterAnim(const std::string& label, bool mirror, int frames = 2)
    {
        SpriteInfo info;
        info.label = label;
        info.file = "anim";
        info.type = SpriteInfo::kAnimRle;
        info.frameCount = frames;
        info.crop = true;
        info.mirror = mirror;
        Sprites().AddSpriteInfo(info);
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
    RegisterAnim("anim", false, 4);
    AnimatedRLESprite* recut = Load();
    ASSERT_NE(recut, nullptr);
    EXPECT_EQ(recut->GetFrameCount(), 4);
    EXPECT_EQ(recut->GetFullHeight(), 2);
    EXPECT_EQ(dir.Read("anim.rle")[2076], 4);
}

TEST_F(RleFileTest, MirroredEntryHasAFileOfItsOwn)
{
    RegisterAnim("anim_flipped", true);
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
    RegisterAnim("anim", false, 100);
    EXPECT_EQ(Load(), nullptr);
    EXPECT_FALSE(dir.Exists("anim.rle"));
    RegisterAnim("anim", false, 2);
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

constexpr size_t kFirstRecord = RleFile::kHeaderSize;

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
        Damage{"RectOutsideCell", [](std::string& b) { PutI32(b, kFirstRecord + 16, 9); }},
        Damage{"DataSizePastEnd", [](std::string& b) { PutI32(b, kFirstRecord + 24, 1 << 20); }},
        Damage{"NegativeDataSize", [](std::string& b) { PutI32(b, kFirstRecord + 24, -8); }},
        Damage{"AlphaSizeWithoutAlpha", [](std::string& b) { PutI32(b, kFirstRecord + 28, 4); }}),
    [](const ::testing::TestParamInfo<Damage>& param) { return std::string(param.param.name); });

}  // namespace
