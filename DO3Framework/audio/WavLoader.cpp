#include "audio/WavLoader.h"

#include <cstring>
#include <vector>

#include "app/Debug.h"
#include "audio/SoundFile.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(SampleLoader, WavLoader);

namespace {

constexpr const char* kExtension = "WAV";
constexpr size_t kFormatFieldsBytes = 16;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kNotFound = static_cast<size_t>(-1);

// The first position from start, in steps of four bytes, where the tag stands whole.
size_t FindTag(const std::vector<uint8_t>& bytes, size_t start, const char* tag)
{
    for (size_t at = start; at <= bytes.size() && bytes.size() - at >= 4; at += 4) {
        if (std::memcmp(bytes.data() + at, tag, 4) == 0) {
            return at;
        }
    }
    return kNotFound;
}

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

struct WaveFormat {
    int channels = 0;
    int rate = 0;
    int blockAlign = 0;
    int bits = 0;
};

bool ReadFormat(const std::vector<uint8_t>& bytes, size_t fmt, const std::string& path, WaveFormat& format,
                size_t& chunkEnd)
{
    if (bytes.size() - fmt < kChunkHeaderBytes) {
        Debug::Instance().Error("WavLoader::Load: fmt chunk cut off <%s>\n", path.c_str());
        return false;
    }
    const uint32_t size = Read32(bytes, fmt + 4);
    const size_t fields = fmt + kChunkHeaderBytes;
    if (size < kFormatFieldsBytes || bytes.size() - fields < kFormatFieldsBytes) {
        Debug::Instance().Error("WavLoader::Load: fmt chunk shorter than 16 bytes <%s>\n", path.c_str());
        return false;
    }
    format.channels = Read16(bytes, fields + 2);
    format.rate = static_cast<int>(Read32(bytes, fields + 4) & 0x7FFFFFFF);
    format.blockAlign = Read16(bytes, fields + 12);
    format.bits = Read16(bytes, fields + 14);
    if (format.channels == 0 || format.bits == 0 || format.rate == 0) {
        Debug::Instance().Error("WavLoader::Load: zero channels, bits or rate <%s>\n", path.c_str());
        return false;
    }
    if ((format.bits != 8 && format.bits != 16) || format.channels > 2 ||
        format.blockAlign != format.channels * format.bits / 8) {
        Debug::Instance().Error("WavLoader::Load: unsupported format (%d channels, %d bits, block %d) <%s>\n",
                                format.channels, format.bits, format.blockAlign, path.c_str());
        return false;
    }
    chunkEnd = size <= bytes.size() - fields ? fields + size : bytes.size();
    return true;
}

bool FindData(const std::vector<uint8_t>& bytes, size_t from, const std::string& path, size_t& start, size_t& length)
{
    const size_t data = FindTag(bytes, from, "data");
    if (data == kNotFound) {
        Debug::Instance().Error("could not find data chunk\n");
        return false;
    }
    if (bytes.size() - data < kChunkHeaderBytes) {
        Debug::Instance().Error("WavLoader::Load: data chunk cut off <%s>\n", path.c_str());
        return false;
    }
    length = Read32(bytes, data + 4);
    start = data + kChunkHeaderBytes;
    if (length == 0) {
        Debug::Instance().Error("Zero length wav sample\n");
        return false;
    }
    if (length > bytes.size() - start) {
        Debug::Instance().Error("WavLoader::Load: data size %zu runs past the end of <%s>\n", length, path.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool WavLoader::CanLoad(const std::string& name)
{
    std::string path;
    return SoundFile::Resolve(name, kExtension, path);
}

bool WavLoader::Load(const std::string& name, SampleData& out)
{
    std::string path;
    if (!SoundFile::Resolve(name, kExtension, path)) {
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!SoundFile::ReadWhole(path, bytes)) {
        return false;
    }
    const size_t wave = FindTag(bytes, 0, "WAVE");
    if (wave == kNotFound) {
        Debug::Instance().Error("could not find WAVE chunk\n");
        return false;
    }
    const size_t fmt = FindTag(bytes, wave, "fmt ");
    if (fmt == kNotFound) {
        Debug::Instance().Error("could not find fmt chunk\n");
        return false;
    }
    WaveFormat format;
    size_t fmtEnd = 0;
    size_t start = 0;
    size_t length = 0;
    if (!ReadFormat(bytes, fmt, path, format, fmtEnd) || !FindData(bytes, fmtEnd, path, start, length)) {
        return false;
    }
    const size_t whole = length - length % static_cast<size_t>(format.blockAlign);
    if (whole == 0) {
        Debug::Instance().Error("Zero length wav sample\n");
        return false;
    }
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(start));
    bytes.resize(whole);
    bytes.shrink_to_fit();
    out.rate = format.rate;
    out.bits = format.bits;
    out.channels = format.channels;
    out.frames = static_cast<int>(whole / static_cast<size_t>(format.blockAlign));
    out.bytes = static_cast<int>(whole);
    out.data = std::move(bytes);
    return true;
}
