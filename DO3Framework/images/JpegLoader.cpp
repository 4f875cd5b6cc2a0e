#include "images/JpegLoader.h"

#include <vector>

#include "app/Debug.h"
#include "files/File.h"
#include "platform/JpegDecoder.h"

namespace {

using platform::JpegDecoder;

// Red, green, blue rows become the loader's blue, green, red; false when the image refuses
// the size.
bool CopySwapped(const JpegDecoder::Picture& picture, Image& image)
{
    if (!image.Create(picture.width, picture.height, 24, true)) {
        return false;
    }
    uint8_t* target = image.GetData();
    for (size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        target[i] = picture.rgb[i + 2];
        target[i + 1] = picture.rgb[i + 1];
        target[i + 2] = picture.rgb[i];
    }
    return true;
}

bool ReadWholeFile(const char* fileName, std::vector<uint8_t>& bytes)
{
    File file;
    if (!file.Open(fileName, "rb")) {
        return false;
    }
    int length = file.Length();
    if (length < 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    return file.Read(bytes.data(), length) == length;
}

}  // namespace

std::unique_ptr<Image> JpegLoader::Load(const char* fileName)
{
    auto image = std::make_unique<Image>();
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        Debug::Instance().Error("can't open %s\n", fileName);
        return image;
    }
    JpegDecoder::Picture picture;
    JpegDecoder::Result result = JpegDecoder::Decode(bytes.data(), bytes.size(), picture);
    if ((result == JpegDecoder::Result::Ok || result == JpegDecoder::Result::Failed) &&
        !CopySwapped(picture, *image)) {
        result = JpegDecoder::Result::TooLarge;
    }
    switch (result) {
    case JpegDecoder::Result::Ok: break;
    case JpegDecoder::Result::BadHeader:
        Debug::Instance().Error("JpegLoader::Load: not a readable JPEG header <%s>\n", fileName);
        break;
    case JpegDecoder::Result::TooLarge:
        Debug::Instance().Error("JpegLoader::Load: unsupported size or colour layout <%s>\n", fileName);
        image->Clear();
        break;
    case JpegDecoder::Result::Failed: Debug::Instance().Error("error while decoding\n"); break;
    case JpegDecoder::Result::CutShort:
        Debug::Instance().Error("JpegLoader::Load: data ends early <%s>\n", fileName);
        image->Clear();
        break;
    }
    return image;
}
