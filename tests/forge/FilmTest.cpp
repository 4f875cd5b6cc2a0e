#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "board/ForgeBoard.h"
#include "core/ForgeOutput.h"
#include "figures/ForgeFigures.h"
#include "film/FilmFormat.h"
#include "film/ForgeFilms.h"
#include "files/File.h"
#include "platform/AviFile.h"
#include "platform/JpegDecoder.h"
#include "support/TempDir.h"

namespace {

using platform::AviFile;
using platform::JpegDecoder;

constexpr const char* kFilms[] = {"data\\Movies\\video1.avi", "data\\Movies\\video2.avi"};
constexpr size_t kMostBytes = 8'400'000;

// Read as the game reads it: by its own name, through the case-resolving file layer.
std::vector<uint8_t> ReadFilm(const char* name)
{
    File file;
    if (!file.Open(name, "rb")) {
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Length()));
    file.Read(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

double MeanBrightness(const JpegDecoder::Picture& picture)
{
    double sum = 0.0;
    for (uint8_t value : picture.rgb) {
        sum += value;
    }
    return picture.rgb.empty() ? 0.0 : sum / static_cast<double>(picture.rgb.size());
}

JpegDecoder::Picture DecodeFrame(const std::vector<uint8_t>& bytes, const AviFile& avi, size_t frame)
{
    JpegDecoder::Picture picture;
    const AviFile::Chunk& chunk = avi.VideoFrames()[frame];
    EXPECT_EQ(JpegDecoder::Decode(bytes.data() + chunk.offset, chunk.size, picture), JpegDecoder::Result::Ok) << frame;
    return picture;
}

// The sound track's 16-bit samples, all channels interleaved.
std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes, const AviFile& avi)
{
    std::vector<int16_t> samples;
    for (const AviFile::Chunk& chunk : avi.AudioChunks()) {
        for (size_t i = 0; i + 1 < chunk.size; i += 2) {
            samples.push_back(static_cast<int16_t>(bytes[chunk.offset + i] | bytes[chunk.offset + i + 1] << 8));
        }
    }
    return samples;
}

void ExpectFilmPlays(const char* name)
{
    SCOPED_TRACE(name);
    const std::vector<uint8_t> bytes = ReadFilm(name);
    ASSERT_FALSE(bytes.empty());
    EXPECT_LE(bytes.size(), kMostBytes);
    std::string why;
    const std::optional<AviFile> avi = AviFile::Parse(bytes.data(), bytes.size(), why);
    ASSERT_TRUE(avi.has_value()) << why;

    EXPECT_EQ(avi->Video().width, film_format::kWidth);
    EXPECT_EQ(avi->Video().height, film_format::kHeight);
    EXPECT_NEAR(avi->Video().width / static_cast<double>(avi->Video().height), 1.0 / 0.7733 * 4.0 / 3.0, 0.03);
    const double fps = 1.0 / avi->SecondsPerFrame();
    EXPECT_GE(fps, 15.0);
    EXPECT_LE(fps, 25.0);
    EXPECT_GE(avi->DurationSeconds(), 15.0);
    EXPECT_LE(avi->DurationSeconds(), 25.0);

    ASSERT_TRUE(avi->HasAudio());
    const AviFile::AudioInfo sound = avi->Audio();
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_TRUE(sound.samplesPerSecond == 22050 || sound.samplesPerSecond == 44100) << sound.samplesPerSecond;
    const std::vector<int16_t> samples = Samples(bytes, *avi);
    const double soundSeconds = static_cast<double>(samples.size()) / sound.channels / sound.samplesPerSecond;
    EXPECT_NEAR(soundSeconds, avi->DurationSeconds(), avi->SecondsPerFrame());

    // Music plays in the middle, well below full scale; the ends fade to near silence.
    const size_t second = static_cast<size_t>(sound.samplesPerSecond * sound.channels);
    auto rms = [&](size_t from, size_t count) {
        double sum = 0.0;
        for (size_t i = from; i < from + count; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        return std::sqrt(sum / static_cast<double>(count)) / 32768.0;
    };
    ASSERT_GT(samples.size(), 2 * second);
    EXPECT_GT(rms(samples.size() / 2, second), 0.05);
    EXPECT_LT(rms(samples.size() - second / 10, second / 10), 0.01);
    int peak = 0;
    for (int16_t s : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_LT(peak, 32000);

    // Every picture is a whole JPEG of the film's size: black at the start, the scene by the middle.
    const size_t frames = avi->VideoFrames().size();
    for (size_t frame = 0; frame < frames; frame += frames / 12) {
        const JpegDecoder::Picture picture = DecodeFrame(bytes, *avi, frame);
        EXPECT_EQ(picture.width, film_format::kWidth);
        EXPECT_EQ(picture.height, film_format::kHeight);
    }
    EXPECT_LT(MeanBrightness(DecodeFrame(bytes, *avi, 0)), 8.0);
    EXPECT_GT(MeanBrightness(DecodeFrame(bytes, *avi, frames / 2)), 60.0);
    EXPECT_LT(MeanBrightness(DecodeFrame(bytes, *avi, frames - 1)), 30.0);
}

TEST(FilmTest, BothFilmsPlayWithPicturesAndSoundOfOneLengthAndShowOnTheSheets)
{
    TempDir dir;
    ForgeOutput output(dir.Path());
    ForgeBoard(output);
    ForgeFigures(output);
    ASSERT_TRUE(ForgeFilms(output));
    for (const char* film : kFilms) {
        ExpectFilmPlays(film);
    }
    for (const char* group : {"film_video1", "film_video2"}) {
        ASSERT_TRUE(output.Sheets().contains(group)) << group;
        const auto& stills = output.Sheets().at(group);
        EXPECT_GE(stills.size(), 8u);
        for (const auto& [label, picture] : stills) {
            EXPECT_EQ(picture.Width(), film_format::kWidth) << label;
            EXPECT_EQ(picture.Height(), film_format::kHeight) << label;
        }
    }
}

TEST(FilmTest, WithoutTheForgedPicturesNoFilmIsWritten)
{
    TempDir dir;
    ForgeOutput output(dir.Path());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ForgeFilms(output));
    const std::string complaints = testing::internal::GetCapturedStderr();
    EXPECT_NE(complaints.find("board/background"), std::string::npos) << complaints;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "data"));
}

}  // namespace
