#include "platform/AviFile.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace platform {

namespace {

using FourCC = uint32_t;

constexpr FourCC Code(const char (&text)[5])
{
    FourCC code = 0;
    for (int i = 3; i >= 0; --i) {
        code = code << 8 | static_cast<uint8_t>(text[i]);
    }
    return code;
}

constexpr FourCC kRiff = Code("RIFF");
constexpr FourCC kAvi = Code("AVI ");
constexpr FourCC kList = Code("LIST");
constexpr FourCC kHeaders = Code("hdrl");
constexpr FourCC kStreamList = Code("strl");
constexpr FourCC kStreamHeader = Code("strh");
constexpr FourCC kStreamFormat = Code("strf");
constexpr FourCC kMovie = Code("movi");
constexpr FourCC kRecord = Code("rec ");
constexpr FourCC kVideo = Code("vids");
constexpr FourCC kAudio = Code("auds");

constexpr size_t kChunkHeader = 8;
constexpr size_t kStreamHeaderBytes = 28;  // through dwRate
constexpr size_t kBitmapHeaderBytes = 20;  // through biCompression
constexpr size_t kWaveFormatBytes = 16;    // the PCM fields
constexpr int kMaxPictureSide = 4096;
constexpr int kMaxStreams = 100;  // chunk ids name streams with two decimal digits

uint16_t Read16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t Read32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(Read16(bytes)) | static_cast<uint32_t>(Read16(bytes + 2)) << 16;
}

std::string Name(FourCC code)
{
    std::string name;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((code >> (8 * i)) & 0xFF);
        name += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    }
    return name;
}

bool IsMotionJpeg(FourCC code)
{
    std::string name = Name(code);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    return name == "MJPG";
}

// One chunk of a level; for a list, listType is set and the data starts after it.
struct RiffChunk {
    FourCC id = 0;
    FourCC listType = 0;
    size_t offset = 0;
    size_t size = 0;
};

using ChunkVisitor = std::function<bool(const RiffChunk&)>;

// Calls visit for each chunk of the bytes [begin, end); a size that runs past end refuses the
// whole film. A chunk's pad byte may be missing at the very end.
bool WalkChunks(const uint8_t* data, size_t begin, size_t end, const ChunkVisitor& visit, std::string& why)
{
    size_t position = begin;
    while (end - position >= kChunkHeader) {
        RiffChunk chunk;
        chunk.id = Read32(data + position);
        const size_t declared = Read32(data + position + 4);
        const size_t room = end - position - kChunkHeader;
        const bool isList = chunk.id == kList || chunk.id == kRiff;
        const FourCC shownName = isList && room >= 4 ? Read32(data + position + kChunkHeader) : chunk.id;
        if (declared > room || (isList && declared < 4)) {
            why = "chunk '" + Name(shownName) + "' runs past the end";
            return false;
        }
        chunk.offset = position + kChunkHeader;
        chunk.size = declared;
        if (isList) {
            chunk.listType = shownName;
            chunk.offset += 4;
            chunk.size -= 4;
        }
        if (!visit(chunk)) {
            return false;
        }
        const size_t next = position + kChunkHeader + declared;
        position = next + std::min(declared & 1, end - next);
    }
    if (end - position > 1) {
        why = "chunk header runs past the end";
        return false;
    }
    return true;
}

// What the stream headers say, with the streams' positions in header order.
struct StreamTable {
    int count = 0;
    int video = -1;
    int audio = -1;
    AviFile::VideoInfo videoInfo;
    AviFile::AudioInfo audioInfo;
};

bool ReadVideoFormat(const uint8_t* header, const RiffChunk& format, const uint8_t* data, StreamTable& table,
                     std::string& why)
{
    if (format.size < kBitmapHeaderBytes) {
        why = "video format too short";
        return false;
    }
    const uint8_t* bitmap = data + format.offset;
    if (!IsMotionJpeg(Read32(header + 4)) && !IsMotionJpeg(Read32(bitmap + 16))) {
        why = "video is not Motion-JPEG";
        return false;
    }
    AviFile::VideoInfo& info = table.videoInfo;
    info.scale = Read32(header + 20);
    info.rate = Read32(header + 24);
    if (info.rate == 0 || info.scale == 0) {
        why = "video rate or scale is 0";
        return false;
    }
    info.width = static_cast<int32_t>(Read32(bitmap + 4));
    info.height = static_cast<int32_t>(Read32(bitmap + 8));
    if (info.width < 1 || info.width > kMaxPictureSide || info.height < 1 || info.height > kMaxPictureSide) {
        why = "picture size " + std::to_string(info.width) + " x " + std::to_string(info.height) + " out of range";
        return false;
    }
    return true;
}

// Only plain 8- or 16-bit PCM in one or two channels is played; anything else leaves the
// film silent.
bool IsPlayablePcm(const RiffChunk& format, const uint8_t* data, AviFile::AudioInfo& info)
{
    if (format.size < kWaveFormatBytes) {
        return false;
    }
    const uint8_t* wave = data + format.offset;
    info.channels = Read16(wave + 2);
    info.samplesPerSecond = static_cast<int>(std::min<uint32_t>(Read32(wave + 4), 0x7FFFFFFF));
    info.bitsPerSample = Read16(wave + 14);
    return Read16(wave) == 1 && info.channels >= 1 && info.channels <= 2 &&
           (info.bitsPerSample == 8 || info.bitsPerSample == 16) && info.samplesPerSecond >= 1000 &&
           info.samplesPerSecond <= 192000;
}

bool ReadStream(const uint8_t* data, const RiffChunk& list, StreamTable& table, std::string& why)
{
    const int index = table.count++;
    RiffChunk header;
    RiffChunk format;
    auto collect = [&](const RiffChunk& chunk) {
        if (chunk.id == kStreamHeader && header.id == 0) {
            header = chunk;
        } else if (chunk.id == kStreamFormat && format.id == 0) {
            format = chunk;
        }
        return true;
    };
    if (!WalkChunks(data, list.offset, list.offset + list.size, collect, why)) {
        return false;
    }
    if (header.size < kStreamHeaderBytes || format.id == 0 || index >= kMaxStreams) {
        return true;
    }
    const FourCC type = Read32(data + header.offset);
    if (type == kVideo && table.video < 0) {
        table.video = index;
        return ReadVideoFormat(data + header.offset, format, data, table, why);
    }
    if (type == kAudio && table.audio < 0 && IsPlayablePcm(format, data, table.audioInfo)) {
        table.audio = index;
    }
    return true;
}

bool ReadHeaders(const uint8_t* data, const RiffChunk& headers, StreamTable& table, std::string& why)
{
    auto stream = [&](const RiffChunk& chunk) {
        return chunk.id != kList || chunk.listType != kStreamList || ReadStream(data, chunk, table, why);
    };
    return WalkChunks(data, headers.offset, headers.offset + headers.size, stream, why);
}

// The stream a chunk id such as '00dc' names, or -1; code gets its last two letters.
int StreamOfChunk(FourCC id, std::string& code)
{
    const std::string name = Name(id);
    if (!std::isdigit(static_cast<unsigned char>(name[0])) || !std::isdigit(static_cast<unsigned char>(name[1]))) {
        return -1;
    }
    code = name.substr(2);
    return (name[0] - '0') * 10 + (name[1] - '0');
}

struct MovieChunks {
    std::vector<AviFile::Chunk> frames;
    std::vector<AviFile::Chunk> sound;
};

// Pictures and sound of the chosen streams; 'rec ' lists group them one level deeper.
bool ReadMovie(const uint8_t* data, const RiffChunk& list, const StreamTable& table, bool inRecord,
               MovieChunks& movie, std::string& why)
{
    auto sort = [&](const RiffChunk& chunk) {
        if (chunk.id == kList) {
            return inRecord || chunk.listType != kRecord || ReadMovie(data, chunk, table, true, movie, why);
        }
        std::string code;
        const int stream = StreamOfChunk(chunk.id, code);
        if (stream == table.video && (code == "dc" || code == "db")) {
            movie.frames.push_back({chunk.offset, chunk.size});
        } else if (stream == table.audio && code == "wb" && chunk.size > 0) {
            movie.sound.push_back({chunk.offset, chunk.size});
        }
        return true;
    };
    return WalkChunks(data, list.offset, list.offset + list.size, sort, why);
}

// The top-level lists of the RIFF form; the index and anything else is passed over.
bool FindLists(const uint8_t* data, size_t end, RiffChunk& headers, RiffChunk& movie, std::string& why)
{
    auto find = [&](const RiffChunk& chunk) {
        if (chunk.id == kList && chunk.listType == kHeaders && headers.id == 0) {
            headers = chunk;
        } else if (chunk.id == kList && chunk.listType == kMovie && movie.id == 0) {
            movie = chunk;
        }
        return true;
    };
    return WalkChunks(data, 12, end, find, why);
}

}  // namespace

std::optional<AviFile> AviFile::Parse(const uint8_t* data, size_t size, std::string& why)
{
    if (size < 12 || Read32(data) != kRiff || Read32(data + 8) != kAvi) {
        why = "not a RIFF AVI file";
        return std::nullopt;
    }
    if (Read32(data + 4) > size - kChunkHeader || Read32(data + 4) < 4) {
        why = "chunk 'AVI ' runs past the end";
        return std::nullopt;
    }
    RiffChunk headers;
    RiffChunk movieList;
    if (!FindLists(data, kChunkHeader + Read32(data + 4), headers, movieList, why)) {
        return std::nullopt;
    }
    StreamTable table;
    if (headers.id != 0 && !ReadHeaders(data, headers, table, why)) {
        return std::nullopt;
    }
    if (table.video < 0) {
        why = "no video stream";
        return std::nullopt;
    }
    MovieChunks movie;
    if (movieList.id != 0 && !ReadMovie(data, movieList, table, false, movie, why)) {
        return std::nullopt;
    }
    if (movie.frames.empty()) {
        why = "no frames";
        return std::nullopt;
    }
    AviFile file;
    file.video = table.videoInfo;
    if (table.audio >= 0) {
        file.audio = table.audioInfo;
    }
    file.videoFrames = std::move(movie.frames);
    file.audioChunks = std::move(movie.sound);
    return file;
}

}  // namespace platform
