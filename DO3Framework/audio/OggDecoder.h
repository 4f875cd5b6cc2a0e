#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct OggVorbis_File;

// A vorbisfile decoder over a compressed file held in memory; shared by the whole-file loader
// and the stream. Not copyable or movable: the decoder's callbacks point at this object.
class OggDecoder {
public:
    OggDecoder();
    ~OggDecoder();
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    // Keeps the compressed bytes and opens a decoder at their start.
    bool Open(std::vector<uint8_t> compressed);
    // Closes the decoder and opens a new one at the start of the same bytes.
    bool Reopen();
    // Closes the decoder and frees the bytes.
    void Close();
    bool IsOpen() const { return open; }

    // Up to bytes of 16-bit signed little-endian PCM: the count written, 0 at the end,
    // negative on a decode error (the vorbisfile code).
    int Read(uint8_t* buffer, int bytes);
    int Rate() const;
    int Channels() const;

private:
    static size_t ReadBytes(void* target, size_t size, size_t count, void* source);
    static int SeekBytes(void* source, int64_t offset, int whence);
    static long TellBytes(void* source);

    bool OpenDecoder();
    void CloseDecoder();

    std::vector<uint8_t> memory;
    size_t position = 0;
    std::unique_ptr<OggVorbis_File> file;
    bool open = false;
};
