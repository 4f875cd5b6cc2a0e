#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "film/AviWriter.h"
#include "platform/AviFile.h"
#include "platform/JpegDecoder.h"

namespace {

using platform::AviFile;
using platform::JpegDecoder;
using Bytes = std::vector<uint8_t>;

struct Rgb {
    int red, green, blue;
};

// The upper half in one colour, the lower in another, so a picture upside down shows.
Bytes TwoBands(int width, int height, Rgb top, Rgb bottom)
{
    Bytes rgb;
    for (int y = 0; y < height; ++y) {
        const Rgb& c = y < height / 2 ? top : bottom;
        for (int x = 0; x < width; ++x) {
            rgb.insert(rgb.end(), {static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green),
                                   static_cast<uint8_t>(c.blue)});
        }
    }
    return rgb;
}

bool Near(const uint8_t* pixel, Rgb c)
{
    return std::abs(pixel[0] - c.red) <= 8 && std::abs(pixel[1] - c.green) <= 8 && std::abs(pixel[2] - c.blue) <= 8;
}

std::vector<int16_t> Ramp(size_t values)
{
    std::vector<int16_t> samples(values);
    for (size_t i = 0; i < values; ++i) {
        samples[i] = static_cast<int16_t>(i * 977 - 30000);
    }
    return samples;
}

Bytes Concatenated(const Bytes& file, const std::vector<AviFile::Chunk>& chunks)
{
    Bytes joined;
    for (const AviFile::Chunk& chunk : chunks) {
        joined.insert(joined.end(), file.begin() + static_cast<long>(chunk.offset),
                      file.begin() + static_cast<long>(chunk.offset + chunk.size));
    }
    return joined;
}

Bytes LittleEndian(const std::vector<int16_t>& samples)
{
    Bytes bytes;
    for (int16_t s : samples) {
        bytes.push_back(static_cast<uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<uint8_t>((static_cast<uint16_t>(s) >> 8) & 0xFF));
    }
    return bytes;
}

bool InsideFile(const AviFile& film, size_t size)
{
    for (const auto* chunks : {&film.VideoFrames(), &film.AudioChunks()}) {
        for (const AviFile::Chunk& chunk : *chunks) {
            if (chunk.offset > size || chunk.size > size - chunk.offset) {
                return false;
            }
        }
    }
    return true;
}

std::optional<AviFile> Parse(const Bytes& bytes, std::string& why)
{
    return AviFile::Parse(bytes.data(), bytes.size(), why);
}

// Where a four-letter code first occurs (headers come before the pictures).
size_t Find(const Bytes& bytes, const char* code, size_t from = 0)
{
    for (size_t i = from; i + 4 <= bytes.size(); ++i) {
        if (std::memcmp(bytes.data() + i, code, 4) == 0) {
            return i;
        }
    }
    ADD_FAILURE() << "no " << code;
    return 0;
}

void Set32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void Set16(Bytes& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Get32(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

TEST(AviFileTest, WrittenFilmReadsBackWithItsPicturesAndEverySample)
{
    const int width = 40;
    const int height = 22;
    const std::vector<Rgb> tops = {{250, 20, 20}, {20, 240, 30}, {30, 40, 230}, {200, 200, 40}, {128, 128, 128}};
    const Rgb bottom = {10, 10, 10};
    // 29.97 frames per second and 22050 Hz: no frame holds a whole number of samples.
    AviWriter writer(width, height, 30000, 1001, 90);
    writer.SetAudio(2, 22050);
    for (const Rgb& top : tops) {
        const Bytes picture = TwoBands(width, height, top, bottom);
        writer.AddFrame(picture.data());
    }
    const size_t covered = static_cast<size_t>(tops.size()) * 22050 * 1001 / 30000;
    const std::vector<int16_t> samples = Ramp((covered + 37) * 2);
    writer.AddAudio(samples.data(), samples.size() / 2);
    const Bytes file = writer.Finish();
    EXPECT_EQ(file, writer.Finish());

    std::string why;
    const auto film = Parse(file, why);
    ASSERT_TRUE(film) << why;
    EXPECT_EQ(film->Video().width, width);
    EXPECT_EQ(film->Video().height, height);
    EXPECT_EQ(film->Video().rate, 30000u);
    EXPECT_EQ(film->Video().scale, 1001u);
    EXPECT_NEAR(film->DurationSeconds(), 5 * 1001 / 30000.0, 1e-9);
    ASSERT_EQ(film->VideoFrames().size(), tops.size());
    ASSERT_TRUE(film->HasAudio());
    EXPECT_EQ(film->Audio().channels, 2);
    EXPECT_EQ(film->Audio().samplesPerSecond, 22050);
    EXPECT_EQ(film->Audio().bitsPerSample, 16);
    // One sound chunk after each picture, the rest after the last; nothing lost or doubled.
    EXPECT_EQ(film->AudioChunks().size(), tops.size() + 1);
    EXPECT_EQ(film->AudioChunks().back().size, 37u * 4);
    EXPECT_EQ(Concatenated(file, film->AudioChunks()), LittleEndian(samples));

    // One picture decodes every frame without growing its buffer again.
    JpegDecoder::Picture picture;
    const uint8_t* buffer = nullptr;
    for (size_t i = 0; i < tops.size(); ++i) {
        const AviFile::Chunk& frame = film->VideoFrames()[i];
        ASSERT_EQ(JpegDecoder::Decode(file.data() + frame.offset, frame.size, picture), JpegDecoder::Result::Ok);
        ASSERT_EQ(picture.width, width);
        ASSERT_EQ(picture.height, height);
        ASSERT_EQ(picture.rgb.size(), static_cast<size_t>(width * height * 3));
        EXPECT_TRUE(Near(&picture.rgb[(2 * width + 5) * 3], tops[i])) << "frame " << i;
        EXPECT_TRUE(Near(&picture.rgb[((height - 2) * width + width - 3) * 3], bottom)) << "frame " << i;
        if (i > 0) {
            EXPECT_EQ(picture.rgb.data(), buffer);
        }
        buffer = picture.rgb.data();
    }
    // A frame cut short leaves the picture empty; one that is no JPEG at all is refused.
    const AviFile::Chunk& first = film->VideoFrames()[0];
    EXPECT_EQ(JpegDecoder::Decode(file.data() + first.offset, first.size - 20, picture), JpegDecoder::Result::CutShort);
    EXPECT_TRUE(picture.width == 0 && picture.rgb.empty());
    EXPECT_EQ(JpegDecoder::Decode(file.data(), 64, picture), JpegDecoder::Result::BadHeader);
}

// Two frames of 8 x 8 at 10 per second and 8000 Hz mono: 800 samples each and 100 after them.
Bytes TinyFilm(bool withSound = true, int frames = 2)
{
    AviWriter writer(8, 8, 10, 1, 75);
    if (withSound) {
        writer.SetAudio(1, 8000);
    }
    for (int i = 0; i < frames; ++i) {
        const Bytes picture = TwoBands(8, 8, {200, 100, 50}, {0, 50, 100});
        writer.AddFrame(picture.data());
    }
    const std::vector<int16_t> samples = Ramp(1700);
    writer.AddAudio(samples.data(), samples.size());
    return writer.Finish();
}

TEST(AviFileTest, DamagedFilmsAreRefusedWithoutReadingOutsideTheirBytes)
{
    const Bytes whole = TinyFilm();
    std::string why;
    ASSERT_TRUE(Parse(whole, why)) << why;

    for (size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_FALSE(Parse(cut, why)) << length;
        // With the outer size made to fit, a cut inside a chunk still refuses the film; a cut
        // between chunks leaves a film whose chunks all lie inside the bytes.
        if (length >= 12) {
            Bytes fitted = cut;
            Set32(fitted, 4, static_cast<uint32_t>(length - 8));
            const auto film = Parse(fitted, why);
            EXPECT_TRUE(!film || InsideFile(*film, length)) << length;
        }
    }
    Bytes oddEnd = whole;
    oddEnd.push_back(0);
    EXPECT_TRUE(Parse(oddEnd, why)) << why;

    auto refused = [&](Bytes bytes, const std::string& reason) {
        const bool parsed = Parse(bytes, why).has_value();
        EXPECT_FALSE(parsed) << reason;
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    };
    const size_t movie = Find(whole, "movi");
    const size_t frame = Find(whole, "00dc");
    const size_t header = Find(whole, "strh");
    const size_t format = Find(whole, "strf");
    Bytes bytes = whole;
    Set32(bytes, movie - 4, 0xFFFFFFF0);
    refused(bytes, "'movi' runs past the end");
    bytes = whole;
    Set32(bytes, frame + 4, 0xFFFFFFFF);
    refused(bytes, "'00dc' runs past the end");
    bytes = whole;
    Set32(bytes, 4, 0xFFFFFFFF);
    refused(bytes, "runs past the end");
    bytes = whole;
    bytes[3] = 'X';
    refused(bytes, "not a RIFF AVI file");
    bytes = whole;
    std::memcpy(&bytes[8], "WAVE", 4);
    refused(bytes, "not a RIFF AVI file");
    bytes = whole;
    std::memcpy(&bytes[header + 8], "txts", 4);
    refused(bytes, "no video stream");
    bytes = whole;
    std::memcpy(&bytes[header + 12], "XVID", 4);
    std::memcpy(&bytes[format + 24], "XVID", 4);
    refused(bytes, "not Motion-JPEG");
    bytes = whole;
    Set32(bytes, header + 32, 0);
    refused(bytes, "rate or scale is 0");
    bytes = whole;
    Set32(bytes, format + 12, 4097);
    refused(bytes, "out of range");
    refused(TinyFilm(true, 0), "no frames");

    // The Motion-JPEG code may be spelt in either case, in either header.
    bytes = whole;
    std::memcpy(&bytes[header + 12], "mjpg", 4);
    std::memcpy(&bytes[format + 24], "XVID", 4);
    EXPECT_TRUE(Parse(bytes, why)) << why;

    // Sound that is not plain PCM is dropped; the pictures still play.
    const size_t soundFormat = Find(whole, "strf", format + 4);
    for (auto [at, value] : {std::pair<size_t, uint16_t>{8, 0x55}, {10, 6}, {22, 12}}) {
        bytes = whole;
        Set16(bytes, soundFormat + at, value);
        const auto film = Parse(bytes, why);
        ASSERT_TRUE(film) << why;
        EXPECT_FALSE(film->HasAudio());
        EXPECT_TRUE(film->AudioChunks().empty());
        EXPECT_EQ(film->VideoFrames().size(), 2u);
    }
    const auto silent = Parse(TinyFilm(false), why);
    ASSERT_TRUE(silent) << why;
    EXPECT_FALSE(silent->HasAudio());

    // Chunks grouped in a 'rec ' list count as if they stood in 'movi' itself.
    bytes = whole;
    const uint32_t movieSize = Get32(bytes, movie - 4);
    const uint8_t record[12] = {'L', 'I', 'S', 'T', 0, 0, 0, 0, 'r', 'e', 'c', ' '};
    bytes.insert(bytes.begin() + static_cast<long>(movie + 4), record, record + 12);
    Set32(bytes, movie + 8, movieSize);  // the same contents after a type of the same length
    Set32(bytes, movie - 4, movieSize + 12);
    Set32(bytes, 4, Get32(bytes, 4) + 12);
    const auto grouped = Parse(bytes, why);
    ASSERT_TRUE(grouped) << why;
    EXPECT_EQ(grouped->VideoFrames().size(), 2u);
    EXPECT_EQ(grouped->AudioChunks().size(), 3u);
}

}  // namespace
