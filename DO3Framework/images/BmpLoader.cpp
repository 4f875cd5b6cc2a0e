#include "images/BmpLoader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/Debug.h"
#include "files/File.h"

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kMaxSide = 16384;
constexpr Color kUnusedPaletteEntry = MakeColor(255, 0, 255);

uint32_t ReadU32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

uint16_t ReadU16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// The header fields the loader uses, and where the palette starts.
struct BmpHeader {
    int32_t width = 0;
    int32_t height = 0;
    int bitCount = 0;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    size_t paletteOffset = 0;
};

bool ReadWholeFile(const char* fileName, std::vector<uint8_t>& bytes)
{
    File file;
    if (!file.Open(fileName, "rb")) {
        return false;
    }
    int length = file.Length();
    bytes.resize(static_cast<size_t>(std::max(length, 0)));
    return length >= 0 && file.Read(bytes.data(), length) == length;
}

bool ParseHeader(const std::vector<uint8_t>& bytes, BmpHeader& header)
{
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const uint8_t* info = bytes.data() + kFileHeaderBytes;
    uint32_t infoSize = ReadU32(info);
    if (infoSize < kInfoHeaderBytes || infoSize > bytes.size() - kFileHeaderBytes) {
        return false;
    }
    header.width = static_cast<int32_t>(ReadU32(info + 4));
    header.height = static_cast<int32_t>(ReadU32(info + 8));
    header.bitCount = ReadU16(info + 14);
    header.compression = ReadU32(info + 16);
    header.colorsUsed = ReadU32(info + 32);
    header.paletteOffset = kFileHeaderBytes + infoSize;
    return true;
}

size_t FileRowBytes(const BmpHeader& header)
{
    size_t bits = static_cast<size_t>(header.width) * header.bitCount;
    return (bits + 31) / 32 * 4;
}

void ReadPalette(const uint8_t* entries, int count, Image& image)
{
    Color palette[256];
    std::fill(palette, palette + 256, kUnusedPaletteEntry);
    for (int i = 0; i < count; ++i) {
        palette[i] = ReadU32(entries + i * 4) & 0xFFFFFF;
    }
    image.SetPalette(palette);
}

// File rows run bottom-up and are padded to 4 bytes; the image's rows run top-down unpadded.
void ReadRows(const uint8_t* rows, const BmpHeader& header, Image& image)
{
    size_t fileRow = FileRowBytes(header);
    size_t imageRow = (static_cast<size_t>(header.width) * header.bitCount + 7) / 8;
    for (int y = 0; y < header.height; ++y) {
        const uint8_t* from = rows + static_cast<size_t>(header.height - 1 - y) * fileRow;
        if (header.bitCount != 1) {
            std::memcpy(image.Row(y), from, imageRow);
            continue;
        }
        for (int x = 0; x < header.width; ++x) {
            bool set = from[x / 8] & (0x80 >> (x % 8));
            image.SetPixel(x, y, set ? MakeColor(0, 0, 0) : MakeColor(255, 255, 255));
        }
    }
}

}  // namespace

std::unique_ptr<Image> BmpLoader::Load(const char* fileName)
{
    Debug& debug = Debug::Instance();
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        debug.Error("could not open %s!\n", fileName);
        return nullptr;
    }
    BmpHeader header;
    if (!ParseHeader(bytes, header)) {
        debug.Error("BmpLoader::Load: not a bitmap or its header is cut short <%s>\n", fileName);
        return nullptr;
    }
    bool supportedDepth = header.bitCount == 1 || header.bitCount == 8 || header.bitCount == 24;
    if (header.compression != 0 || !supportedDepth) {
        debug.Error("Bitmap has to be 8 Bit or 24 Bit uncompressed (%s)\n", fileName);
        return nullptr;
    }
    if (header.width <= 0 || header.height <= 0 || header.width > kMaxSide || header.height > kMaxSide) {
        debug.Error("BmpLoader::Load: invalid size %d x %d <%s>\n", header.width, header.height, fileName);
        return nullptr;
    }
    uint32_t paletteLimit = header.bitCount == 1 ? 2 : 256;
    uint32_t paletteSize = header.bitCount == 24 ? 0 : paletteLimit;
    if (header.colorsUsed != 0) {
        if (header.colorsUsed > paletteLimit) {
            debug.Error("BmpLoader::Load: %u colours used exceed the palette <%s>\n", header.colorsUsed, fileName);
            return nullptr;
        }
        paletteSize = header.colorsUsed;
    }
    size_t rowsOffset = header.paletteOffset + size_t{paletteSize} * 4;
    size_t rowsBytes = FileRowBytes(header) * static_cast<size_t>(header.height);
    if (rowsOffset > bytes.size() || rowsBytes > bytes.size() - rowsOffset) {
        debug.Error("BmpLoader::Load: pixel rows cut short <%s>\n", fileName);
        return nullptr;
    }
    auto image = std::make_unique<Image>();
    if (!image->Create(header.width, header.height, header.bitCount, true)) {
        debug.Error("BmpLoader::Load: no memory for %d x %d <%s>\n", header.width, header.height, fileName);
        return nullptr;
    }
    if (paletteSize > 0) {
        ReadPalette(bytes.data() + header.paletteOffset, static_cast<int>(paletteSize), *image);
    }
    ReadRows(bytes.data() + rowsOffset, header, *image);
    return image;
}
