#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes a film as a RIFF AVI: one Motion-JPEG video stream and, if given, one 16-bit PCM
// sound stream, interleaved frame by frame (each picture followed by the sound that plays
// during it), with an index. The bytes depend only on what was added.
class AviWriter {
public:
    // Frames per second are rate / scale; quality is libjpeg's 1..100.
    AviWriter(int width, int height, uint32_t rate, uint32_t scale, int jpegQuality);

    // 16-bit signed PCM, channels 1 or 2; call before Finish.
    void SetAudio(int channels, int samplesPerSecond);
    // One picture: height rows of red, green, blue bytes, width * 3 each. Encoded at once.
    void AddFrame(const uint8_t* rgb);
    // Interleaved samples (frames * channels values), appended to the sound track.
    void AddAudio(const int16_t* samples, size_t frames);
    // The whole file.
    std::vector<uint8_t> Finish() const;

private:
    // One chunk of the 'movi' list: its id and payload.
    struct MovieChunk {
        uint32_t id;
        const uint8_t* data;
        size_t size;
    };

    std::vector<MovieChunk> Interleave(const std::vector<uint8_t>& pcm) const;
    // The first sample frame that plays during video frame `frame`.
    size_t FirstSampleOf(size_t frame) const;
    void WriteHeaders(std::vector<uint8_t>& out, const std::vector<MovieChunk>& chunks) const;
    void WriteVideoStream(std::vector<uint8_t>& out, size_t largestFrame) const;
    void WriteAudioStream(std::vector<uint8_t>& out, size_t largestSound) const;

    int width;
    int height;
    uint32_t rate;
    uint32_t scale;
    int jpegQuality;
    int channels = 0;
    int samplesPerSecond = 0;
    std::vector<std::vector<uint8_t>> frames;
    std::vector<int16_t> samples;
};
