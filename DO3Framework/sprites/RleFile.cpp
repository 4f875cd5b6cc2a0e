#include "sprites/RleFile.h"

#include <memory>

#include "images/ImageRect.h"
#include "images/ImageUtil.h"
#include "sprites/AnimatedRLESprite.h"

namespace {

constexpr int32_t kMaxSide = 16384;
constexpr int32_t kFrameDepth = 8;

// Appends little-endian values.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& target) : bytes(target) {}

    void U8(uint8_t value) { bytes.push_back(value); }
    void U32(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        }
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void U64(uint64_t value)
    {
        U32(static_cast<uint32_t>(value));
        U32(static_cast<uint32_t>(value >> 32));
    }
    void Palette(const Color* palette)
    {
        for (int i = 0; i < 256; ++i) {
            U32(palette ? palette[i] & 0x00FFFFFF : 0);
        }
    }
    void Bytes(const uint8_t* data, size_t count) { bytes.insert(bytes.end(), data, data + count); }

private:
    std::vector<uint8_t>& bytes;
};

// Reads little-endian values; every read past the end fails and leaves the reader failed.
class ByteReader {
public:
    ByteReader(const std::vector<uint8_t>& source, size_t start) : bytes(source), position(start) {}

    bool Has(size_t count) const { return !failed && count <= bytes.size() - position; }
    size_t Remaining() const { return bytes.size() - position; }
    bool Failed() const { return failed; }

    uint8_t U8() { return Has(1) ? bytes[position++] : Fail(); }
    uint32_t U32()
    {
        if (!Has(4)) {
            return Fail();
        }
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<uint32_t>(bytes[position++]) << (8 * i);
        }
        return value;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64()
    {
        uint64_t low = U32();
        return low | static_cast<uint64_t>(U32()) << 32;
    }
    void Palette(Color* palette)
    {
        for (int i = 0; i < 256; ++i) {
            palette[i] = U32() & 0x00FFFFFF;
        }
    }
    const uint8_t* Take(size_t count)
    {
        if (!Has(count)) {
            Fail();
            return nullptr;
        }
        const uint8_t* data = bytes.data() + position;
        position += count;
        return data;
    }

private:
    uint8_t Fail()
    {
        failed = true;
        return 0;
    }

    const std::vector<uint8_t>& bytes;
    size_t position;
    bool failed = false;
};

struct FrameRecord {
    int32_t width = 0;
    int32_t height = 0;
    ImageRect rect;
    int32_t dataSize = 0;
    int32_t alphaSize = 0;
};

FrameRecord ReadRecord(ByteReader& reader)
{
    FrameRecord record;
    record.width = reader.I32();
    record.height = reader.I32();
    record.rect.left = reader.I32();
    record.rect.top = reader.I32();
    record.rect.right = reader.I32();
    record.rect.bottom = reader.I32();
    record.dataSize = reader.I32();
    record.alphaSize = reader.I32();
    return record;
}

bool StreamSizeFits(int32_t size, const FrameRecord& record, bool encoded)
{
    int64_t raw = static_cast<int64_t>(record.width) * record.height;
    return encoded ? size > 0 : size == raw;
}

const char* CheckRecord(const FrameRecord& record, const RleFile::Header& header)
{
    const ImageRect& rect = record.rect;
    // The corners are checked first: only a rectangle inside the cell has a width and height
    // that can be computed without overflow.
    if (rect.left < 0 || rect.top < 0 || rect.right >= header.fullWidth || rect.bottom >= header.fullHeight ||
        rect.right < rect.left || rect.bottom < rect.top) {
        return "frame rectangle outside its cell";
    }
    if (record.width < 1 || record.height < 1 || rect.Width() != record.width || rect.Height() != record.height) {
        return "frame size disagrees with its rectangle";
    }
    if (!StreamSizeFits(record.dataSize, record, header.encoded)) {
        return "frame data size does not fit the frame";
    }
    bool alphaFits = header.hasAlpha ? StreamSizeFits(record.alphaSize, record, header.encoded)
                                     : record.alphaSize == 0;
    return alphaFits ? nullptr : "alpha data size does not fit the frame";
}

std::unique_ptr<Image> MakeFrameImage(const FrameRecord& record, const uint8_t* data, int32_t size,
                                      const Color* palette, bool encoded)
{
    auto image = std::make_unique<Image>();
    if (!image->Create(record.width, record.height, kFrameDepth, false)) {
        return nullptr;
    }
    image->SetData(std::vector<uint8_t>(data, data + size));
    image->SetPalette(palette);
    // Drawing decodes run-length streams only, so raw frames are encoded here.
    if (encoded) {
        image->MarkEncoded(size);
    } else if (!ImageUtil::Instance().RunLengthEncode(*image)) {
        return nullptr;
    }
    return image;
}

void WriteFrame(ByteWriter& writer, const AnimatedRLESprite& sprite, int frame)
{
    const Image* image = sprite.GetFrameImage(frame);
    const Image* alpha = sprite.GetAlphaFrameImage(frame);
    ImageRect rect = sprite.GetFrameRect(frame);
    auto streamSize = [](const Image* picture) {
        return picture ? static_cast<int32_t>(picture->GetDataSize()) : 0;
    };
    writer.I32(image->GetWidth());
    writer.I32(image->GetHeight());
    writer.I32(rect.left);
    writer.I32(rect.top);
    writer.I32(rect.right);
    writer.I32(rect.bottom);
    writer.I32(streamSize(image));
    writer.I32(streamSize(alpha));
    writer.Bytes(image->GetData(), image->GetDataSize());
    if (alpha) {
        writer.Bytes(alpha->GetData(), alpha->GetDataSize());
    }
}

}  // namespace

std::vector<uint8_t> RleFile::Encode(const AnimatedRLESprite& sprite, uint64_t sourceTime)
{
    std::vector<uint8_t> bytes;
    ByteWriter writer(bytes);
    const Image* first = sprite.GetFrameImage(0);
    const Image* firstAlpha = sprite.GetAlphaFrameImage(0);
    writer.U32(kVersion);
    writer.U64(sourceTime);
    writer.Palette(first ? first->GetPalette() : nullptr);
    writer.Palette(firstAlpha ? firstAlpha->GetPalette() : nullptr);
    writer.I32(sprite.GetFullWidth());
    writer.I32(sprite.GetFullHeight());
    writer.I32(kFrameDepth);
    writer.U8(first && first->IsEncoded() ? 1 : 0);
    writer.U8(sprite.HasAlpha() ? 1 : 0);
    writer.U8(0);
    writer.U8(0);
    writer.I32(sprite.GetFrameCount());
    for (int frame = 0; frame < sprite.GetFrameCount(); ++frame) {
        WriteFrame(writer, sprite, frame);
    }
    return bytes;
}

bool RleFile::ParseHeader(const std::vector<uint8_t>& bytes, Header& header, std::string& problem)
{
    if (bytes.size() < kHeaderSize) {
        problem = "shorter than its header";
        return false;
    }
    ByteReader reader(bytes, 0);
    header.version = reader.U32();
    header.sourceTime = reader.U64();
    reader.Palette(header.palette);
    reader.Palette(header.alphaPalette);
    header.fullWidth = reader.I32();
    header.fullHeight = reader.I32();
    header.bitsPerPixel = reader.I32();
    uint8_t encoded = reader.U8();
    uint8_t hasAlpha = reader.U8();
    reader.U8();
    reader.U8();
    header.frameCount = reader.I32();
    header.encoded = encoded == 1;
    header.hasAlpha = hasAlpha == 1;

    if (header.fullWidth < 1 || header.fullWidth > kMaxSide || header.fullHeight < 1 ||
        header.fullHeight > kMaxSide) {
        problem = "cell size out of range";
    } else if (header.bitsPerPixel != kFrameDepth || encoded > 1 || hasAlpha > 1) {
        problem = "unknown frame format";
    } else if (header.frameCount < 1 ||
               static_cast<size_t>(header.frameCount) > reader.Remaining() / kFrameRecordSize) {
        problem = "frame count does not fit the file";
    } else {
        return true;
    }
    return false;
}

bool RleFile::ParseFrames(const std::vector<uint8_t>& bytes, const Header& header, AnimatedRLESprite& sprite,
                          std::string& problem)
{
    struct Frame {
        std::unique_ptr<Image> image;
        std::unique_ptr<Image> alpha;
        ImageRect rect;
    };
    std::vector<Frame> frames;
    ByteReader reader(bytes, kHeaderSize);
    for (int32_t i = 0; i < header.frameCount; ++i) {
        FrameRecord record = ReadRecord(reader);
        const char* fault = reader.Failed() ? "frame record cut short" : CheckRecord(record, header);
        if (fault) {
            problem = fault;
            return false;
        }
        const uint8_t* data = reader.Take(static_cast<size_t>(record.dataSize));
        const uint8_t* alphaData = reader.Take(static_cast<size_t>(record.alphaSize));
        if (reader.Failed()) {
            problem = "frame data cut short";
            return false;
        }
        Frame frame;
        frame.rect = record.rect;
        frame.image = MakeFrameImage(record, data, record.dataSize, header.palette, header.encoded);
        if (header.hasAlpha) {
            frame.alpha = MakeFrameImage(record, alphaData, record.alphaSize, header.alphaPalette, header.encoded);
        }
        frames.push_back(std::move(frame));
    }
    if (reader.Remaining() != 0) {
        problem = "bytes after the last frame";
        return false;
    }
    sprite.SetCellSize(header.fullWidth, header.fullHeight);
    for (Frame& frame : frames) {
        if (!sprite.AddFrame(std::move(frame.image), std::move(frame.alpha), frame.rect)) {
            problem = "frame refused by the sprite";
            return false;
        }
    }
    return true;
}
