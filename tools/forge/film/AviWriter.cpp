#include "film/AviWriter.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr uint32_t Code(const char (&text)[5])
{
    uint32_t code = 0;
    for (int i = 3; i >= 0; --i) {
        code = code << 8 | static_cast<uint8_t>(text[i]);
    }
    return code;
}

constexpr uint32_t kVideoChunk = Code("00dc");
constexpr uint32_t kSoundChunk = Code("01wb");
constexpr uint32_t kHasIndex = 0x10;
constexpr uint32_t kInterleaved = 0x100;
constexpr uint32_t kKeyFrame = 0x10;
constexpr uint32_t kDefaultQuality = 0xFFFFFFFF;
constexpr int kBitsPerSample = 16;

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutCode(std::vector<uint8_t>& out, const char (&text)[5])
{
    Put32(out, Code(text));
}

uint32_t Clamp32(uint64_t value)
{
    return static_cast<uint32_t>(std::min<uint64_t>(value, 0xFFFFFFFF));
}

// Writes the chunk id and a size to be filled in by EndChunk; returns where the size goes.
size_t BeginChunk(std::vector<uint8_t>& out, uint32_t id)
{
    Put32(out, id);
    Put32(out, 0);
    return out.size() - 4;
}

size_t BeginList(std::vector<uint8_t>& out, const char (&list)[5], const char (&type)[5])
{
    const size_t sizeAt = BeginChunk(out, Code(list));
    PutCode(out, type);
    return sizeAt;
}

// Fills in the size and pads the data to an even length, as RIFF wants.
void EndChunk(std::vector<uint8_t>& out, size_t sizeAt)
{
    const uint32_t size = static_cast<uint32_t>(out.size() - sizeAt - 4);
    for (int i = 0; i < 4; ++i) {
        out[sizeAt + static_cast<size_t>(i)] = static_cast<uint8_t>((size >> (8 * i)) & 0xFF);
    }
    if (size % 2 != 0) {
        out.push_back(0);
    }
}

void PutChunk(std::vector<uint8_t>& out, uint32_t id, const uint8_t* data, size_t size)
{
    const size_t sizeAt = BeginChunk(out, id);
    out.insert(out.end(), data, data + size);
    EndChunk(out, sizeAt);
}

// The encoder's fatal errors jump back here instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpBack(j_common_ptr encoder)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(encoder->err)->jump, 1);
}

struct EncodedBytes {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

// Baseline 4:2:0 with optimised Huffman tables and the exact integer transform, so the bytes
// depend only on the picture. Only plain data lives between setjmp and a jump.
bool EncodeJpeg(const uint8_t* rgb, int width, int height, int quality, std::vector<uint8_t>& jpeg)
{
    jpeg_compress_struct encoder;
    ErrorManager errors;
    EncodedBytes encoded;
    encoder.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpBack;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&encoder);
        std::free(encoded.buffer);
        return false;
    }
    jpeg_create_compress(&encoder);
    jpeg_mem_dest(&encoder, &encoded.buffer, &encoded.size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, quality, TRUE);
    encoder.optimize_coding = TRUE;
    encoder.dct_method = JDCT_ISLOW;
    encoder.comp_info[0].h_samp_factor = 2;
    encoder.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        encoder.comp_info[c].h_samp_factor = 1;
        encoder.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&encoder, TRUE);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(rgb + encoder.next_scanline * rowBytes)};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    jpeg.assign(encoded.buffer, encoded.buffer + encoded.size);
    std::free(encoded.buffer);
    return true;
}

}  // namespace

AviWriter::AviWriter(int pictureWidth, int pictureHeight, uint32_t frameRate, uint32_t frameScale, int quality)
    : width(pictureWidth), height(pictureHeight), rate(frameRate), scale(frameScale), jpegQuality(quality)
{
}

void AviWriter::SetAudio(int soundChannels, int rateOfSamples)
{
    if (soundChannels < 1 || soundChannels > 2 || rateOfSamples <= 0) {
        std::fprintf(stderr, "AviWriter::SetAudio: %d channels at %d Hz are not written\n", soundChannels,
                     rateOfSamples);
        return;
    }
    channels = soundChannels;
    samplesPerSecond = rateOfSamples;
}

// A picture the encoder refuses becomes an empty chunk, which repeats the previous one.
void AviWriter::AddFrame(const uint8_t* rgb)
{
    frames.emplace_back();
    if (!EncodeJpeg(rgb, width, height, jpegQuality, frames.back())) {
        std::fprintf(stderr, "AviWriter::AddFrame: the JPEG encoder refused frame %zu (%d x %d)\n", frames.size() - 1,
                     width, height);
    }
}

void AviWriter::AddAudio(const int16_t* data, size_t sampleFrames)
{
    samples.insert(samples.end(), data, data + sampleFrames * static_cast<size_t>(channels));
}

size_t AviWriter::FirstSampleOf(size_t frame) const
{
    if (rate == 0) {
        return 0;
    }
    const uint64_t first = static_cast<uint64_t>(frame) * static_cast<uint64_t>(samplesPerSecond) * scale / rate;
    return static_cast<size_t>(std::min<uint64_t>(first, samples.size() / std::max(channels, 1)));
}

// Each picture is followed by the sound of its time span; what is left after the last
// picture follows in a chunk of its own.
std::vector<AviWriter::MovieChunk> AviWriter::Interleave(const std::vector<uint8_t>& pcm) const
{
    const size_t frameBytes = static_cast<size_t>(channels) * 2;
    std::vector<MovieChunk> chunks;
    auto addSound = [&](size_t first, size_t end) {
        if (end > first) {
            chunks.push_back({kSoundChunk, pcm.data() + first * frameBytes, (end - first) * frameBytes});
        }
    };
    for (size_t i = 0; i < frames.size(); ++i) {
        chunks.push_back({kVideoChunk, frames[i].data(), frames[i].size()});
        addSound(FirstSampleOf(i), FirstSampleOf(i + 1));
    }
    if (channels > 0) {
        addSound(FirstSampleOf(frames.size()), samples.size() / static_cast<size_t>(channels));
    }
    return chunks;
}

void AviWriter::WriteVideoStream(std::vector<uint8_t>& out, size_t largestFrame) const
{
    const size_t list = BeginList(out, "LIST", "strl");
    const size_t header = BeginChunk(out, Code("strh"));
    PutCode(out, "vids");
    PutCode(out, "MJPG");
    for (int field = 0; field < 3; ++field) {  // flags, priority and language, initial frames
        Put32(out, 0);
    }
    Put32(out, scale);
    Put32(out, rate);
    Put32(out, 0);  // start
    Put32(out, static_cast<uint32_t>(frames.size()));
    Put32(out, Clamp32(largestFrame));
    Put32(out, kDefaultQuality);
    Put32(out, 0);  // sample size: frames vary
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    EndChunk(out, header);

    const size_t format = BeginChunk(out, Code("strf"));
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel once decoded
    PutCode(out, "MJPG");
    Put32(out, Clamp32(static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 3));
    for (int field = 0; field < 4; ++field) {  // resolution and palette
        Put32(out, 0);
    }
    EndChunk(out, format);
    EndChunk(out, list);
}

void AviWriter::WriteAudioStream(std::vector<uint8_t>& out, size_t largestSound) const
{
    const uint32_t blockAlign = static_cast<uint32_t>(channels) * kBitsPerSample / 8;
    const uint32_t bytesPerSecond = static_cast<uint32_t>(samplesPerSecond) * blockAlign;
    const size_t list = BeginList(out, "LIST", "strl");
    const size_t header = BeginChunk(out, Code("strh"));
    PutCode(out, "auds");
    for (int field = 0; field < 4; ++field) {  // handler, flags, priority and language, initial frames
        Put32(out, 0);
    }
    Put32(out, blockAlign);
    Put32(out, bytesPerSecond);
    Put32(out, 0);  // start
    Put32(out, static_cast<uint32_t>(samples.size() / static_cast<size_t>(channels)));
    Put32(out, Clamp32(largestSound));
    Put32(out, kDefaultQuality);
    Put32(out, blockAlign);
    for (int field = 0; field < 2; ++field) {  // no picture rectangle
        Put32(out, 0);
    }
    EndChunk(out, header);

    const size_t format = BeginChunk(out, Code("strf"));
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint32_t>(channels));
    Put32(out, static_cast<uint32_t>(samplesPerSecond));
    Put32(out, bytesPerSecond);
    Put16(out, blockAlign);
    Put16(out, kBitsPerSample);
    Put16(out, 0);  // no extra format bytes
    EndChunk(out, format);
    EndChunk(out, list);
}

void AviWriter::WriteHeaders(std::vector<uint8_t>& out, const std::vector<MovieChunk>& chunks) const
{
    size_t largest[2] = {0, 0};
    for (const MovieChunk& chunk : chunks) {
        size_t& slot = largest[chunk.id == kVideoChunk ? 0 : 1];
        slot = std::max(slot, chunk.size);
    }
    const uint64_t bytesPerSecond = static_cast<uint64_t>(samplesPerSecond) * static_cast<uint64_t>(channels) * 2;
    const size_t list = BeginList(out, "LIST", "hdrl");
    const size_t header = BeginChunk(out, Code("avih"));
    Put32(out, rate == 0 ? 0 : Clamp32((uint64_t{1000000} * scale + rate / 2) / rate));
    Put32(out, scale == 0 ? 0 : Clamp32((largest[0] * uint64_t{rate} + scale - 1) / scale + bytesPerSecond));
    Put32(out, 0);  // padding granularity
    Put32(out, kHasIndex | kInterleaved);
    Put32(out, static_cast<uint32_t>(frames.size()));
    Put32(out, 0);  // initial frames
    Put32(out, channels > 0 ? 2 : 1);
    Put32(out, Clamp32(std::max(largest[0], largest[1])));
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    for (int field = 0; field < 4; ++field) {  // reserved
        Put32(out, 0);
    }
    EndChunk(out, header);
    WriteVideoStream(out, largest[0]);
    if (channels > 0) {
        WriteAudioStream(out, largest[1]);
    }
    EndChunk(out, list);
}

std::vector<uint8_t> AviWriter::Finish() const
{
    std::vector<uint8_t> pcm;
    pcm.reserve(samples.size() * 2);
    for (int16_t sample : samples) {
        Put16(pcm, static_cast<uint16_t>(sample));
    }
    const std::vector<MovieChunk> chunks = Interleave(pcm);

    std::vector<uint8_t> out;
    const size_t riff = BeginList(out, "RIFF", "AVI ");
    WriteHeaders(out, chunks);
    const size_t movie = BeginList(out, "LIST", "movi");
    const size_t movieType = movie + 4;  // index offsets count from the list type
    std::vector<uint32_t> offsets;
    for (const MovieChunk& chunk : chunks) {
        offsets.push_back(static_cast<uint32_t>(out.size() - movieType));
        PutChunk(out, chunk.id, chunk.data, chunk.size);
    }
    EndChunk(out, movie);

    const size_t index = BeginChunk(out, Code("idx1"));
    for (size_t i = 0; i < chunks.size(); ++i) {
        Put32(out, chunks[i].id);
        Put32(out, kKeyFrame);
        Put32(out, offsets[i]);
        Put32(out, static_cast<uint32_t>(chunks[i].size));
    }
    EndChunk(out, index);
    EndChunk(out, riff);
    return out;
}
