#include "images/ImageUtil.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "app/Debug.h"
#include "display/DirectDraw.h"

namespace {

constexpr int kPaletteNearBlack = 16;
constexpr int kPixelNearBlack = 8;
constexpr int kMaxPacket = 127;
// Four equal pixels make a run worth its control byte.
constexpr int kRunStart = 4;

bool IsMagenta(int red, int green, int blue)
{
    return red >= 240 && green < 8 && blue >= 240;
}

// Remaps one colour given as blue, green, red bytes.
void RemapBytes(uint8_t* bgr, int nearBlack)
{
    if (bgr[0] < nearBlack && bgr[1] < nearBlack && bgr[2] < nearBlack) {
        bgr[0] = bgr[1] = bgr[2] = static_cast<uint8_t>(nearBlack);
    } else if (IsMagenta(bgr[2], bgr[1], bgr[0])) {
        bgr[0] = bgr[1] = bgr[2] = 0;
    }
}

bool IsBlack(Color color)
{
    return (color & 0xFFFFFF) == 0;
}

// Whether a pixel shows anything but black; palette pictures answer from a table of their
// 256 colours, since bounding boxes of whole animation strips are found at start-up.
class LitPixels {
public:
    explicit LitPixels(const Image& picture) : image(picture), indexed(picture.GetDepth() == 8)
    {
        const Color* palette = image.GetPalette();
        for (int i = 0; indexed && i < 256; ++i) {
            litIndex[static_cast<size_t>(i)] = !IsBlack(palette ? palette[i] : MakeColor(i, i, i));
        }
    }

    bool operator()(int x, int y) const
    {
        return indexed ? litIndex[image.Row(y)[x]] : !IsBlack(image.GetPixel(x, y));
    }

private:
    const Image& image;
    bool indexed;
    std::array<bool, 256> litIndex{};
};

// The first position from `from` on where kRunStart pixels of equal colour begin; width if none.
int FindRunStart(const Image& image, int y, int from)
{
    int equal = 1;
    for (int x = from + 1; x < image.GetWidth(); ++x) {
        equal = image.GetPixel(x, y) == image.GetPixel(x - 1, y) ? equal + 1 : 1;
        if (equal == kRunStart) {
            return x - kRunStart + 1;
        }
    }
    return image.GetWidth();
}

void EncodeRow(const Image& image, int y, std::vector<uint8_t>& out)
{
    int bytes = image.BytesPerPixel();
    const uint8_t* row = image.Row(y);
    int width = image.GetWidth();
    int x = 0;
    while (x < width) {
        int runStart = FindRunStart(image, y, x);
        while (x < runStart) {
            int count = std::min(runStart - x, kMaxPacket);
            out.push_back(static_cast<uint8_t>(-count));
            out.insert(out.end(), row + x * bytes, row + (x + count) * bytes);
            x += count;
        }
        if (runStart < width) {
            const uint8_t* pixel = row + runStart * bytes;
            int length = 1;
            while (length < kMaxPacket && runStart + length < width &&
                   std::memcmp(pixel, pixel + length * bytes, static_cast<size_t>(bytes)) == 0) {
                ++length;
            }
            out.push_back(static_cast<uint8_t>(length));
            out.insert(out.end(), pixel, pixel + bytes);
            x = runStart + length;
        }
    }
}

// Reads one encoded 8-bit stream row by row; every packet is checked against the stream's end
// and the row's width.
class PacketReader {
public:
    // A null image gives an empty stream.
    explicit PacketReader(const Image* image)
        : data(image ? image->GetData() : nullptr),
          size(image ? std::min(static_cast<size_t>(image->GetEncodedSize()), image->GetDataSize()) : 0)
    {
    }

    // Calls put(x, count, index) for runs and put(x, count, indices) for literals; false when
    // the stream ends early or holds a control byte of 0.
    template <class PutRun, class PutLiteral>
    bool DecodeRow(int width, PutRun putRun, PutLiteral putLiteral)
    {
        int x = 0;
        while (x < width) {
            if (position >= size) {
                return false;
            }
            int control = static_cast<int8_t>(data[position++]);
            if (control == 0) {
                return false;
            }
            int count = std::min(control > 0 ? control : -control, width - x);
            if (control > 0) {
                if (position >= size) {
                    return false;
                }
                putRun(x, count, data[position++]);
                // A run reaching past the row's end is cut at it.
            } else {
                if (size - position < static_cast<size_t>(-control)) {
                    return false;
                }
                putLiteral(x, count, data + position);
                position += static_cast<size_t>(-control);
            }
            x += count;
        }
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

void TintTable(uint32_t table[256], uint32_t tint)
{
    for (int i = 0; i < 256; ++i) {
        uint32_t entry = table[i];
        uint32_t red = ((entry >> 16) & 0xFF) * (tint & 0xFF) >> 8;
        uint32_t green = ((entry >> 8) & 0xFF) * ((tint >> 8) & 0xFF) >> 8;
        uint32_t blue = (entry & 0xFF) * ((tint >> 16) & 0xFF) >> 8;
        table[i] = (entry & 0xFF000000) | red << 16 | green << 8 | blue;
    }
}

bool IsEncoded8Bit(const Image* image)
{
    return image && image->IsEncoded() && image->GetDepth() == 8;
}

}  // namespace

bool ImageUtil::RemapTransparentColor(Image& image)
{
    if (image.GetDepth() == 8 && image.GetPalette()) {
        Color* palette = image.GetPalette();
        for (int i = 0; i < 256; ++i) {
            uint8_t bgr[3] = {static_cast<uint8_t>(ColorBlue(palette[i])), static_cast<uint8_t>(ColorGreen(palette[i])),
                              static_cast<uint8_t>(ColorRed(palette[i]))};
            RemapBytes(bgr, kPaletteNearBlack);
            palette[i] = (palette[i] & 0xFF000000) | MakeColor(bgr[2], bgr[1], bgr[0]);
        }
        return true;
    }
    if (image.GetDepth() == 24 && !image.IsEncoded()) {
        uint8_t* pixel = image.GetData();
        size_t count = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
        for (size_t i = 0; i < count; ++i, pixel += 3) {
            RemapBytes(pixel, kPixelNearBlack);
        }
        return true;
    }
    Debug::Instance().Fatal("ImageUtil::RemapTransparentColor: unsupported depth");
    return false;
}

bool ImageUtil::RemapTransparentColorAlpha(Image& image)
{
    if (image.GetDepth() != 8 || !image.GetPalette()) {
        Debug::Instance().Warning("ImageUtil::RemapTransparentColorAlpha: Only 8Bit Images allowed!\n");
        return false;
    }
    Color* palette = image.GetPalette();
    for (int i = 0; i < 256; ++i) {
        if (IsMagenta(ColorRed(palette[i]), ColorGreen(palette[i]), ColorBlue(palette[i]))) {
            palette[i] &= 0xFF000000;
        }
    }
    return true;
}

bool ImageUtil::ApplyMask(Image& image, const Image& mask)
{
    bool sameSize = mask.GetWidth() == image.GetWidth() && mask.GetHeight() == image.GetHeight();
    if (!sameSize || mask.GetDepth() != 1 || image.IsEncoded()) {
        Debug::Instance().Error("Mask size must fit image size.\n");
        return false;
    }
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (IsBlack(mask.GetPixel(x, y))) {
                image.SetPixel(x, y, MakeColor(0, 0, 0));
            }
        }
    }
    return true;
}

bool ImageUtil::CopyRect(const Image& source, Image& destination, const ImageRect& rect, int x, int y)
{
    Debug& debug = Debug::Instance();
    if (source.GetDepth() != destination.GetDepth()) {
        debug.Error("Image depths are different. Cant copy.\n");
        return false;
    }
    bool insideSource = rect.left >= 0 && rect.top >= 0 && rect.right < source.GetWidth() &&
                        rect.bottom < source.GetHeight() && rect.Width() > 0 && rect.Height() > 0;
    bool fitsDestination = x >= 0 && y >= 0 && x + rect.Width() <= destination.GetWidth() &&
                           y + rect.Height() <= destination.GetHeight();
    if (!insideSource || !fitsDestination || source.IsEncoded() || destination.IsEncoded()) {
        debug.Error("Src image rect dimensions do not fit to destination.\n");
        return false;
    }
    for (int row = 0; row < rect.Height(); ++row) {
        if (source.GetDepth() == 1) {
            for (int column = 0; column < rect.Width(); ++column) {
                destination.SetPixel(x + column, y + row, source.GetPixel(rect.left + column, rect.top + row));
            }
            continue;
        }
        int bytes = source.BytesPerPixel();
        const uint8_t* from = source.Row(rect.top + row) + rect.left * bytes;
        std::memcpy(destination.Row(y + row) + x * bytes, from, static_cast<size_t>(rect.Width()) * bytes);
    }
    return true;
}

ImageRect ImageUtil::GetBoundingRect(const Image& image)
{
    const LitPixels lit(image);
    const int width = image.GetWidth();
    ImageRect bounds{width, image.GetHeight(), -1, -1};
    for (int y = 0; y < image.GetHeight(); ++y) {
        int left = 0;
        while (left < width && !lit(left, y)) {
            ++left;
        }
        if (left == width) {
            continue;
        }
        int right = width - 1;
        while (!lit(right, y)) {
            --right;
        }
        bounds.left = std::min(bounds.left, left);
        bounds.top = std::min(bounds.top, y);
        bounds.right = std::max(bounds.right, right);
        bounds.bottom = y;
    }
    if (bounds.right < 0) {
        return {image.GetWidth() / 2, image.GetHeight() / 2, image.GetWidth() / 2, image.GetHeight() / 2};
    }
    return bounds;
}

bool ImageUtil::RunLengthEncode(Image& image)
{
    if (image.IsEncoded()) {
        return true;
    }
    if (image.GetDepth() < 8 || image.IsEmpty()) {
        Debug::Instance().Error("ImageUtil::RunLengthEncode: only pictures of 8 bits and more are encoded\n");
        return false;
    }
    std::vector<uint8_t> stream;
    stream.reserve(image.GetDataSize() / 2);
    for (int y = 0; y < image.GetHeight(); ++y) {
        EncodeRow(image, y, stream);
    }
    int size = static_cast<int>(stream.size());
    image.SetData(std::move(stream));
    image.MarkEncoded(size);
    return true;
}

void ImageUtil::RunLengthColors(const Color* palette, int screenDepth, bool withAlphaFrame, uint32_t table[256])
{
    for (int i = 0; i < 256; ++i) {
        uint32_t entry = palette ? palette[i] : MakeColor(i, i, i);
        uint32_t alpha = !withAlphaFrame && entry != 0 ? 0xFF000000 : 0;
        if (screenDepth == 16 && !IsBlack(entry)) {
            uint32_t rounded = entry & 0xFF000000;
            for (int shift = 0; shift < 24; shift += 8) {
                uint32_t channel = std::min<uint32_t>(255, (((entry >> shift) & 0xFF) + 4) & ~7u);
                rounded |= channel << shift;
            }
            entry = rounded;
        }
        table[i] = entry | alpha;
    }
}

bool ImageUtil::RunLengthDecode(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels)
{
    return Decode(image, alpha, output, outputPixels, nullptr);
}

bool ImageUtil::RunLengthDecodeTinted(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels,
                                      uint32_t tint)
{
    return Decode(image, alpha, output, outputPixels, &tint);
}

bool ImageUtil::Decode(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels,
                       const uint32_t* tint)
{
    Debug& debug = Debug::Instance();
    if (!image) {
        debug.Warning("ImageUtil::RunLengthDecode: Image Ptr is null!\n");
        return false;
    }
    int width = image->GetWidth();
    int height = image->GetHeight();
    bool alphaFits = !alpha || (IsEncoded8Bit(alpha) && alpha->GetWidth() == width && alpha->GetHeight() == height);
    if (!IsEncoded8Bit(image) || !alphaFits) {
        debug.Error("ImageUtil::RunLengthDecode: frame or alpha frame not an encoded 8-bit picture of one size\n");
        return false;
    }
    if (static_cast<size_t>(width) * height > outputPixels) {
        debug.Error("ImageUtil::RunLengthDecode: frame of %d x %d does not fit the output\n", width, height);
        return false;
    }
    uint32_t colors[256];
    RunLengthColors(image->GetPalette(), DirectDraw::Instance().GetScreenFormat().depth, alpha != nullptr, colors);
    if (tint) {
        TintTable(colors, *tint);
    }
    const Color* alphaPalette = alpha ? alpha->GetPalette() : nullptr;
    PacketReader colorStream(image);
    PacketReader alphaStream(alpha);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = output + static_cast<size_t>(y) * width;
        bool rowOk = colorStream.DecodeRow(
            width, [&](int x, int count, uint8_t index) { std::fill(row + x, row + x + count, colors[index]); },
            [&](int x, int count, const uint8_t* indices) {
                for (int i = 0; i < count; ++i) {
                    row[x + i] = colors[indices[i]];
                }
            });
        if (rowOk && alpha) {
            auto alphaOf = [&](uint8_t index) {
                return (alphaPalette ? alphaPalette[index] & 0xFF : index) << 24;
            };
            rowOk = alphaStream.DecodeRow(
                width,
                [&](int x, int count, uint8_t index) {
                    for (int i = x; i < x + count; ++i) {
                        row[i] = (row[i] & 0xFFFFFF) | alphaOf(index);
                    }
                },
                [&](int x, int count, const uint8_t* indices) {
                    for (int i = 0; i < count; ++i) {
                        row[x + i] = (row[x + i] & 0xFFFFFF) | alphaOf(indices[i]);
                    }
                });
        }
        if (!rowOk) {
            std::fill(row, output + static_cast<size_t>(width) * height, 0u);
            debug.Error("ImageUtil::RunLengthDecode: stream ends early in row %d\n", y);
            return false;
        }
    }
    return true;
}
