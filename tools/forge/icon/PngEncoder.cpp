#include "icon/PngEncoder.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace png {
namespace {

constexpr size_t kMaxStoredBlock = 65535;
constexpr uint32_t kAdlerModulus = 65521;

void Put32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

const std::array<uint32_t, 256>& CrcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

uint32_t Crc(const std::string& bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        c = CrcTable()[(c ^ byte) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::string& bytes)
{
    uint32_t a = 1;
    uint32_t b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::string& out, const char* type, const std::string& data)
{
    Put32(out, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type) + data;
    out += typed;
    Put32(out, Crc(typed));
}

// A zlib stream of stored blocks.
std::string Deflated(const std::string& raw)
{
    std::string out = "\x78\x01";
    size_t offset = 0;
    do {
        const size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    Put32(out, Adler32(raw));
    return out;
}

// Every row led by filter type 0 (none).
std::string Scanlines(const Canvas& canvas)
{
    std::string raw;
    raw.reserve(static_cast<size_t>(canvas.Height()) * (canvas.Width() * 4 + 1));
    for (int y = 0; y < canvas.Height(); ++y) {
        raw += '\0';
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba& pixel = canvas.At(x, y);
            raw += static_cast<char>(pixel.r);
            raw += static_cast<char>(pixel.g);
            raw += static_cast<char>(pixel.b);
            raw += static_cast<char>(pixel.a);
        }
    }
    return raw;
}

}  // namespace

std::string EncodeRgba(const Canvas& canvas)
{
    std::string out = "\x89PNG\r\n\x1A\n";
    std::string header;
    Put32(header, static_cast<uint32_t>(canvas.Width()));
    Put32(header, static_cast<uint32_t>(canvas.Height()));
    header += "\x08\x06";         // 8 bits a sample, RGBA
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", Deflated(Scanlines(canvas)));
    PutChunk(out, "IEND", "");
    return out;
}

}  // namespace png
