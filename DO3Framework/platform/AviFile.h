#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A film held in memory as a RIFF AVI: one Motion-JPEG video stream and at most one PCM sound
// stream, their chunks found by walking the 'movi' list (the index is not needed). Every
// size and offset is checked against the bytes; the parse never reads outside them.
class AviFile {
public:
    struct Chunk {
        size_t offset = 0;  // of the chunk's data within the file's bytes
        size_t size = 0;
    };
    struct VideoInfo {
        int width = 0;
        int height = 0;
        // Frames per second as the stream header's rate / scale.
        uint32_t rate = 0;
        uint32_t scale = 0;
    };
    struct AudioInfo {
        int channels = 0;
        int samplesPerSecond = 0;
        int bitsPerSample = 0;
    };

    // The film's structure, or nothing with a short reason in why ("no video stream",
    // "chunk 'movi' runs past the end", ...). The bytes must outlive the result's use.
    static std::optional<AviFile> Parse(const uint8_t* data, size_t size, std::string& why);

    const VideoInfo& Video() const { return video; }
    // Frames in the order they are shown; a zero-size chunk repeats the previous picture.
    const std::vector<Chunk>& VideoFrames() const { return videoFrames; }
    bool HasAudio() const { return audio.has_value(); }
    const AudioInfo& Audio() const { return *audio; }
    // PCM chunks in the order they are played.
    const std::vector<Chunk>& AudioChunks() const { return audioChunks; }
    double SecondsPerFrame() const { return static_cast<double>(video.scale) / video.rate; }
    double DurationSeconds() const { return SecondsPerFrame() * static_cast<double>(videoFrames.size()); }

private:
    VideoInfo video;
    std::optional<AudioInfo> audio;
    std::vector<Chunk> videoFrames;
    std::vector<Chunk> audioChunks;
};

}  // namespace platform
