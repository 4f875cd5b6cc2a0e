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
// "RIFF", the size of the rest, "WAVE"; the chunks follow.
constexpr size_t kRiffHeaderBytes = 12;

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool IsRiffWave(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= kRiffHeaderBytes && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

struct Chunk {
    size_t body = 0;
    uint32_t size = 0;
};

// Walks the chunks by their sizes, each odd size followed by a pad byte. A chunk stepped over
// must end inside the file; the size of the one found is left to its reader to check.
bool FindChunk(const std::vector<uint8_t>& bytes, const char* tag, const std::string& path, Chunk& chunk)
{
    size_t at = kRiffHeaderBytes;
    while (at + kChunkHeaderBytes <= bytes.size()) {
        const uint32_t size = Read32(bytes, at + 4);
        if (std::memcmp(bytes.data() + at, tag, 4) == 0) {
            chunk = {at + kChunkHeaderBytes, size};
            return true;
        }
        if (size > bytes.size() - at - kChunkHeaderBytes) {
            Debug::Instance().Error("WavLoader::Load: the chunk at byte %zu claims %u bytes, past the end of <%s>\n",
                                    at, size, path.c_str());
            return false;
        }
        at += kChunkHeaderBytes + size + (size & 1);
    }
    std::string name(tag, 4);
    name.erase(name.find_last_not_of(' ') + 1);
    Debug::Instance().Error("could not find %s chunk\n", name.c_str());
    return false;
}

struct WaveFormat {
    int channels = 0;
    int rate = 0;
    int blockAlign = 0;
    int bits = 0;
};

bool ReadFormat(const std::vector<uint8_t>& bytes, const std::string& path, WaveFormat& format)
{
    Chunk fmt;
    if (!FindChunk(bytes, "fmt ", path, fmt)) {
        return false;
    }
    if (fmt.size < kFormatFieldsBytes || bytes.size() - fmt.body < kFormatFieldsBytes) {
        Debug::Instance().Error("WavLoader::Load: fmt chunk shorter than 16 bytes <%s>\n", path.c_str());
        return false;
    }
    format.channels = Read16(bytes, fmt.body + 2);
    format.rate = static_cast<int>(Read32(bytes, fmt.body + 4) & 0x7FFFFFFF);
    format.blockAlign = Read16(bytes, fmt.body + 12);
    format.bits = Read16(bytes, fmt.body + 14);
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
    return true;
}

bool FindData(const std::vector<uint8_t>& bytes, const std::string& path, Chunk& data)
{
    if (!FindChunk(bytes, "data", path, data)) {
        return false;
    }
    if (data.size == 0) {
        Debug::Instance().Error("Zero length wav sample\n");
        return false;
    }
    if (data.size > bytes.size() - data.body) {
        Debug::Instance().Error("WavLoader::Load: data size %u runs past the end of <%s>\n", data.size, path.c_str());
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
    if (!IsRiffWave(bytes)) {
        Debug::Instance().Error("could not find WAVE chunk\n");
        return false;
    }
    WaveFormat format;
    Chunk data;
    if (!ReadFormat(bytes, path, format) || !FindData(bytes, path, data)) {
        return false;
    }
    const size_t whole = data.size - data.size % static_cast<size_t>(format.blockAlign);
    if (whole == 0) {
        Debug::Instance().Error("Zero length wav sample\n");
        return false;
    }
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(data.body));
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
