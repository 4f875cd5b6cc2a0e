#include "images/ImageConverter.h"

#include <cstring>

#include "app/Debug.h"
#include "display/DirectDraw.h"

namespace {

const ScreenFormat& Screen()
{
    return DirectDraw::Instance().GetScreenFormat();
}

uint16_t To16Bit(Color color, const ScreenFormat& screen)
{
    uint32_t red = static_cast<uint32_t>(ColorRed(color) >> 3) << screen.redShift & screen.redMask;
    uint32_t green = static_cast<uint32_t>(ColorGreen(color) >> 3) << screen.greenShift & screen.greenMask;
    uint32_t blue = static_cast<uint32_t>(ColorBlue(color) >> 3) << screen.blueShift & screen.blueMask;
    return static_cast<uint16_t>(red | green | blue);
}

// The colour of pixel i of an 8- or 24-bit source.
Color SourceColor(const Image& source, const uint8_t* data, size_t i)
{
    if (source.GetDepth() == 8) {
        const Color* palette = source.GetPalette();
        return palette ? palette[data[i]] : MakeColor(data[i], data[i], data[i]);
    }
    const uint8_t* pixel = data + i * 3;
    return MakeColor(pixel[2], pixel[1], pixel[0]);
}

bool IsPlainDepth(const Image& image, int depth)
{
    return image.GetDepth() == depth && !image.IsEncoded() && !image.IsEmpty();
}

// Writes red, green and blue at the screen's byte indices into pixels of `bytes` bytes.
std::unique_ptr<Image> ToIndexedBytes(const Image& source, int depth)
{
    auto result = std::make_unique<Image>();
    result->Create(source.GetWidth(), source.GetHeight(), depth, true);
    const int* index = Screen().colorIndex;
    int bytes = depth / 8;
    const uint8_t* data = source.GetData();
    uint8_t* out = result->GetData();
    size_t count = static_cast<size_t>(source.GetWidth()) * source.GetHeight();
    for (size_t i = 0; i < count; ++i, out += bytes) {
        Color color = SourceColor(source, data, i);
        out[index[0]] = static_cast<uint8_t>(ColorRed(color));
        out[index[1]] = static_cast<uint8_t>(ColorGreen(color));
        out[index[2]] = static_cast<uint8_t>(ColorBlue(color));
    }
    return result;
}

// One channel of the row dither: the dropped low bits add up and round up once they reach 8.
uint32_t DitherChannel(int value, uint32_t& error)
{
    uint32_t high = static_cast<uint32_t>(value) >> 3;
    error += static_cast<uint32_t>(value) & 7;
    if (error > 7) {
        high = high < 31 ? high + 1 : 31;
        error -= 8;
    }
    return high;
}

}  // namespace

std::unique_ptr<Image> ImageConverter::ConvertTo8BitAlpha(std::unique_ptr<Image> image)
{
    if (!image || !(IsPlainDepth(*image, 8) || IsPlainDepth(*image, 24))) {
        Debug::Instance().Fatal("ImageConverter::ConvertTo8BitAlpha: illegal source image");
        return image;
    }
    auto result = std::make_unique<Image>();
    result->Create(image->GetWidth(), image->GetHeight(), 8, true);
    const uint8_t* data = image->GetData();
    uint8_t* out = result->GetData();
    size_t count = static_cast<size_t>(image->GetWidth()) * image->GetHeight();
    for (size_t i = 0; i < count; ++i) {
        Color color = SourceColor(*image, data, i);
        out[i] = static_cast<uint8_t>((ColorRed(color) + ColorGreen(color) + ColorBlue(color)) / 3);
    }
    return result;
}

std::unique_ptr<Image> ImageConverter::ConvertToScreenFormat(std::unique_ptr<Image> image)
{
    switch (Screen().depth) {
    case 16: return ConvertTo16Bit(std::move(image));
    case 24: return ConvertTo24Bit(std::move(image));
    case 32: return ConvertTo32Bit(std::move(image));
    default: Debug::Instance().Fatal("not supported screen depth"); return image;
    }
}

std::unique_ptr<Image> ImageConverter::ConvertTo16Bit(std::unique_ptr<Image> image)
{
    if (image && IsPlainDepth(*image, 16)) {
        return image;
    }
    if (image && IsPlainDepth(*image, 24)) {
        return Dither24To16(*image);
    }
    if (!image || !IsPlainDepth(*image, 8)) {
        Debug::Instance().Fatal("ImageConverter::ConvertTo16Bit: illegal source image");
        return image;
    }
    uint16_t table[256];
    const Color* palette = image->GetPalette();
    for (int i = 0; i < 256; ++i) {
        table[i] = To16Bit(palette ? palette[i] : MakeColor(i, i, i), Screen());
    }
    auto result = std::make_unique<Image>();
    result->Create(image->GetWidth(), image->GetHeight(), 16, true);
    const uint8_t* data = image->GetData();
    auto* out = reinterpret_cast<uint16_t*>(result->GetData());
    size_t count = static_cast<size_t>(image->GetWidth()) * image->GetHeight();
    for (size_t i = 0; i < count; ++i) {
        out[i] = table[data[i]];
    }
    return result;
}

std::unique_ptr<Image> ImageConverter::ConvertTo24Bit(std::unique_ptr<Image> image)
{
    if (!image || !(IsPlainDepth(*image, 8) || IsPlainDepth(*image, 24))) {
        Debug::Instance().Fatal("ImageConverter::ConvertTo24Bit: illegal source image");
        return image;
    }
    return ToIndexedBytes(*image, 24);
}

std::unique_ptr<Image> ImageConverter::ConvertTo32Bit(std::unique_ptr<Image> image)
{
    if (image && IsPlainDepth(*image, 32)) {
        return image;
    }
    if (!image || !(IsPlainDepth(*image, 8) || IsPlainDepth(*image, 24))) {
        Debug::Instance().Fatal("ImageConverter::ConvertTo32Bit: illegal source image");
        return image;
    }
    return ToIndexedBytes(*image, 32);
}

bool ImageConverter::FollowScreenFormat(std::unique_ptr<Image>& image, ScreenFormat& held)
{
    if (!image || held == Screen()) {
        return false;
    }
    if (!IsPlainDepth(*image, held.depth)) {
        Debug::Instance().Fatal("ImageConverter::FollowScreenFormat: illegal source image");
        return false;
    }
    // Back to blue, green, red bytes as loaded, then on the usual way into the screen format.
    auto loaded = std::make_unique<Image>();
    loaded->Create(image->GetWidth(), image->GetHeight(), 24, true);
    size_t bytes = static_cast<size_t>(image->BytesPerPixel());
    for (int y = 0; y < image->GetHeight(); ++y) {
        const uint8_t* row = image->Row(y);
        for (int x = 0; x < image->GetWidth(); ++x) {
            uint32_t pixel = 0;
            std::memcpy(&pixel, row + x * bytes, bytes);
            loaded->SetPixel(x, y, held.ToColor(pixel));
        }
    }
    image = ConvertToScreenFormat(std::move(loaded));
    held = Screen();
    return true;
}

uint32_t ImageConverter::NextDitherValue()
{
    ditherState = (ditherState & 1) * 0x5ACE9u - (ditherState >> 1) * 0x17075u;
    return ditherState;
}

std::unique_ptr<Image> ImageConverter::Dither24To16(const Image& source)
{
    const ScreenFormat& screen = Screen();
    auto result = std::make_unique<Image>();
    result->Create(source.GetWidth(), source.GetHeight(), 16, true);
    for (int y = 0; y < source.GetHeight(); ++y) {
        uint32_t redError = NextDitherValue() & 7;
        uint32_t greenError = NextDitherValue() & 7;
        uint32_t blueError = NextDitherValue() & 7;
        const uint8_t* in = source.Row(y);
        auto* out = reinterpret_cast<uint16_t*>(result->Row(y));
        for (int x = 0; x < source.GetWidth(); ++x, in += 3) {
            uint32_t red = DitherChannel(in[2], redError);
            uint32_t green = DitherChannel(in[1], greenError);
            uint32_t blue = DitherChannel(in[0], blueError);
            out[x] = static_cast<uint16_t>(red << screen.redShift | green << screen.greenShift |
                                           blue << screen.blueShift);
        }
    }
    return result;
}
