#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "film/AviWriter.h"
#include "platform/AviFile.h"
#include "platform/PixelSurface.h"
#include "platform/VideoFrameScaler.h"
#include "platform/VideoPlayer.h"
#include "support/TempDir.h"

using platform::LockedPixels;
using platform::PixelFormat;
using platform::PixelRect;
using platform::PixelSurface;
using platform::VideoPlayer;

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;
constexpr int kFrames = 8;
constexpr int kFramesPerSecond = 20;
constexpr int kSoundRate = 44100;
constexpr int16_t kSoundLevel = 8000;

struct Rgb {
    int r, g, b;
};

Rgb FrameColour(int frame)
{
    return {frame * 30, 255 - frame * 30, 128};
}

// A film of flat pictures, each its own colour, with a steady tone under it if asked.
std::vector<uint8_t> ColourFilm(bool withSound)
{
    AviWriter writer(kWidth, kHeight, kFramesPerSecond, 1, 95);
    for (int frame = 0; frame < kFrames; ++frame) {
        std::vector<uint8_t> rgb;
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const Rgb colour = FrameColour(frame);
            rgb.insert(rgb.end(), {uint8_t(colour.r), uint8_t(colour.g), uint8_t(colour.b)});
        }
        writer.AddFrame(rgb.data());
    }
    if (withSound) {
        writer.SetAudio(1, kSoundRate);
        std::vector<int16_t> tone(kSoundRate * kFrames / kFramesPerSecond, kSoundLevel);
        writer.AddAudio(tone.data(), tone.size());
    }
    return writer.Finish();
}

Rgb Read565(const PixelSurface& surface, int x, int y)
{
    LockedPixels locked;
    const_cast<PixelSurface&>(surface).Lock(locked);
    uint16_t value = 0;
    std::memcpy(&value, locked.pixels + y * locked.pitch + x * 2, 2);
    const_cast<PixelSurface&>(surface).Unlock();
    return {((value >> 11) & 31) * 255 / 31, ((value >> 5) & 63) * 255 / 63, (value & 31) * 255 / 31};
}

// The frame whose colour is nearest, or -1 for black.
int FrameOf(const Rgb& seen)
{
    int best = -1;
    int bestDistance = seen.r + seen.g + seen.b;
    for (int frame = 0; frame < kFrames; ++frame) {
        const Rgb colour = FrameColour(frame);
        int distance = std::abs(colour.r - seen.r) + std::abs(colour.g - seen.g) + std::abs(colour.b - seen.b);
        if (distance < bestDistance) {
            best = frame;
            bestDistance = distance;
        }
    }
    return bestDistance < 40 ? best : -2;
}

class VideoPlayerTest : public ::testing::Test {
protected:
    // Plays into a white 100 x 60 surface; the band is the picture scaled twice.
    VideoPlayer::Report Play(VideoPlayer& player, int stopAfterPresents = 0)
    {
        surface = PixelSurface::Create(100, 60, PixelFormat::Rgb565());
        surface->Fill(nullptr, 0xFFFF);
        VideoPlayer::Hooks hooks;
        hooks.frame = [this](PixelRect& band) {
            if (replacement && shownFrames.size() >= 2) {
                surface = std::move(replacement);
            }
            band = kBand;
            return surface.get();
        };
        hooks.pumpEvents = [] {};
        hooks.stopRequested = [this, stopAfterPresents] {
            return stopAfterPresents > 0 && static_cast<int>(shownFrames.size()) >= stopAfterPresents;
        };
        hooks.present = [this] { shownFrames.push_back(FrameOf(Read565(*surface, kBand.left + 5, kBand.top + 5))); };
        return player.Play(hooks);
    }

    static constexpr PixelRect kBand{10, 20, 10 + 2 * kWidth, 20 + 2 * kHeight};
    std::unique_ptr<PixelSurface> surface;
    // Takes the surface's place after two presents, as a switch of the display mode does.
    std::unique_ptr<PixelSurface> replacement;
    std::vector<int> shownFrames;
};

}  // namespace

TEST_F(VideoPlayerTest, ShowsThePicturesInOrderInTheirBandAndTakesTheFilmsTime)
{
    const std::vector<uint8_t> film = ColourFilm(false);
    VideoPlayer player;
    std::string why;
    ASSERT_TRUE(player.Open(film.data(), film.size(), why)) << why;
    EXPECT_EQ(player.Film().VideoFrames().size(), size_t(kFrames));

    const auto start = std::chrono::steady_clock::now();
    const VideoPlayer::Report report = Play(player);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(1000 * (kFrames - 1) / kFramesPerSecond));
    EXPECT_FALSE(report.stoppedEarly);
    EXPECT_FALSE(report.soundPlayed);
    EXPECT_EQ(report.framesBroken, 0);

    // The clearing present first, then pictures in film order (late ones may be skipped).
    ASSERT_EQ(shownFrames.size(), size_t(report.framesShown) + 1);
    EXPECT_EQ(shownFrames[0], -1);
    EXPECT_EQ(shownFrames[1], 0);
    EXPECT_TRUE(std::is_sorted(shownFrames.begin(), shownFrames.end()));
    EXPECT_GE(report.framesShown, 2);
    // Around the band the frame was cleared to black; the band holds the last picture whole.
    for (auto [x, y] : {std::pair{9, 25}, {10 + 2 * kWidth, 25}, {20, 19}, {20, 20 + 2 * kHeight}, {0, 0}}) {
        EXPECT_EQ(FrameOf(Read565(*surface, x, y)), -1) << x << "," << y;
    }
    const int last = shownFrames.back();
    for (auto [x, y] : {std::pair{10, 20}, {9 + 2 * kWidth, 19 + 2 * kHeight}, {40, 35}}) {
        EXPECT_EQ(FrameOf(Read565(*surface, x, y)), last) << x << "," << y;
    }
}

TEST_F(VideoPlayerTest, ASurfaceMadeAnewMidFilmGetsThePicturesAndBlackAroundThem)
{
    const std::vector<uint8_t> film = ColourFilm(false);
    VideoPlayer player;
    std::string why;
    ASSERT_TRUE(player.Open(film.data(), film.size(), why));
    replacement = PixelSurface::Create(120, 80, PixelFormat::Rgb565());
    replacement->Fill(nullptr, 0xFFFF);
    const VideoPlayer::Report report = Play(player);
    ASSERT_EQ(surface->Width(), 120);
    EXPECT_EQ(FrameOf(Read565(*surface, 0, 0)), -1);
    EXPECT_EQ(FrameOf(Read565(*surface, 119, 79)), -1);
    EXPECT_EQ(FrameOf(Read565(*surface, 40, 35)), shownFrames.back());
    EXPECT_GT(report.framesShown, 2);
}

TEST_F(VideoPlayerTest, AStopRequestEndsTheFilmAtOnce)
{
    const std::vector<uint8_t> film = ColourFilm(false);
    VideoPlayer player;
    std::string why;
    ASSERT_TRUE(player.Open(film.data(), film.size(), why));
    const VideoPlayer::Report report = Play(player, 2);
    EXPECT_TRUE(report.stoppedEarly);
    EXPECT_EQ(report.framesShown, 1);
}

TEST_F(VideoPlayerTest, DamagedFilmsAreRefusedOrPlayOnOverABrokenPicture)
{
    std::vector<uint8_t> film = ColourFilm(false);
    VideoPlayer player;
    std::string why;
    std::vector<uint8_t> cut(film.begin(), film.begin() + static_cast<std::ptrdiff_t>(film.size() / 2));
    EXPECT_FALSE(player.Open(cut.data(), cut.size(), why));
    EXPECT_FALSE(why.empty());

    std::string parseWhy;
    const auto parsed = platform::AviFile::Parse(film.data(), film.size(), parseWhy);
    ASSERT_TRUE(parsed);
    auto spoil = [&](size_t frame) {
        const platform::AviFile::Chunk& chunk = parsed->VideoFrames()[frame];
        std::memset(film.data() + chunk.offset, 0, chunk.size);
    };
    spoil(3);
    ASSERT_TRUE(player.Open(film.data(), film.size(), why)) << why;
    const VideoPlayer::Report report = Play(player);
    EXPECT_FALSE(report.stoppedEarly);
    EXPECT_LE(report.framesBroken, 1);
    EXPECT_EQ(std::count(shownFrames.begin(), shownFrames.end(), 3), 0);

    spoil(0);
    why.clear();
    EXPECT_FALSE(player.Open(film.data(), film.size(), why));
    EXPECT_EQ(why, "the first picture does not decode");
}

TEST_F(VideoPlayerTest, TheSoundReachesTheDevice)
{
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.Path() / "capture.raw").c_str(), 1);
    const std::vector<uint8_t> film = ColourFilm(true);
    VideoPlayer player;
    std::string why;
    ASSERT_TRUE(player.Open(film.data(), film.size(), why)) << why;
    const VideoPlayer::Report report = Play(player);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    if (!report.soundPlayed) {
        GTEST_SKIP() << "no disk audio driver";
    }
    const std::string bytes = dir.Read("capture.raw");
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    const auto atLevel = std::count(samples.begin(), samples.end(), kSoundLevel);
    // Most of the film's tone, on both channels.
    EXPECT_GT(atLevel, 2 * kSoundRate * kFrames / kFramesPerSecond / 2);
}

TEST(VideoFrameScaler, ScalesWithFilteringIntoTheClippedRectangleOnly)
{
    // Red beside blue, two rows alike, scaled to 4 x 4 with its top row off the surface.
    const std::vector<uint8_t> picture = {255, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0, 255};
    auto surface = PixelSurface::Create(6, 6, PixelFormat::Xrgb8888());
    surface->Fill(nullptr, 0x00112233);
    LockedPixels locked;
    ASSERT_EQ(surface->Lock(locked), 0);
    platform::VideoFrameScaler scaler;
    scaler.Draw(picture.data(), 2, 2, locked, {2, -1, 6, 3});
    auto at = [&](int x, int y) {
        uint32_t value = 0;
        std::memcpy(&value, locked.pixels + y * locked.pitch + x * 4, 4);
        return value & 0xFFFFFF;
    };
    for (int y = 0; y < 3; ++y) {
        // The outer columns are the picture's own pixels, the inner ones blends of both.
        EXPECT_EQ(at(2, y), 0xFF0000u);
        EXPECT_EQ(at(5, y), 0x0000FFu);
        EXPECT_GT(at(3, y) >> 16, at(3, y) & 0xFF);
        EXPECT_LT(at(4, y) >> 16, at(4, y) & 0xFF);
        EXPECT_EQ(at(3, y) & 0x00FF00, 0u);
        // Left of the rectangle nothing changed.
        EXPECT_EQ(at(1, y), 0x112233u);
    }
    EXPECT_EQ(at(3, 3), 0x112233u);
    surface->Unlock();
}
