#include "images/JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <utility>
#include <vector>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "app/Debug.h"
#include "files/File.h"

namespace {

constexpr JDIMENSION kMaxSide = 16384;

// The decoder's fatal errors jump back here instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpBack(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->jump, 1);
}

// Warnings (damaged data) are counted and judged after decoding; none is printed.
void CountWarning(j_common_ptr decoder, int level)
{
    if (level < 0) {
        ++decoder->err->num_warnings;
    }
}

enum class DecodeResult { Ok, BadHeader, TooLarge, Failed, CutShort };

// Only plain data lives in this frame, so the jump skips no destructor.
DecodeResult Decode(const std::vector<uint8_t>& bytes, Image& image)
{
    jpeg_decompress_struct decoder;
    ErrorManager errors;
    decoder.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpBack;
    errors.base.emit_message = &CountWarning;
    bool started = false;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&decoder);
        return started ? DecodeResult::Failed : DecodeResult::BadHeader;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decoder, TRUE);
    if (decoder.image_width > kMaxSide || decoder.image_height > kMaxSide) {
        jpeg_destroy_decompress(&decoder);
        return DecodeResult::TooLarge;
    }
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    if (decoder.output_components != 3 ||
        !image.Create(static_cast<int>(decoder.output_width), static_cast<int>(decoder.output_height), 24, true)) {
        jpeg_destroy_decompress(&decoder);
        return DecodeResult::TooLarge;
    }
    started = true;
    while (decoder.output_scanline < decoder.output_height) {
        uint8_t* row = image.Row(static_cast<int>(decoder.output_scanline));
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&decoder, rows, 1);
        for (int x = 0; x < image.GetWidth(); ++x) {
            std::swap(row[x * 3], row[x * 3 + 2]);
        }
    }
    bool cutShort = errors.base.num_warnings > 0;
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return cutShort ? DecodeResult::CutShort : DecodeResult::Ok;
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
    switch (Decode(bytes, *image)) {
    case DecodeResult::Ok: break;
    case DecodeResult::BadHeader:
        Debug::Instance().Error("JpegLoader::Load: not a readable JPEG header <%s>\n", fileName);
        break;
    case DecodeResult::TooLarge:
        Debug::Instance().Error("JpegLoader::Load: unsupported size or colour layout <%s>\n", fileName);
        image->Clear();
        break;
    case DecodeResult::Failed: Debug::Instance().Error("error while decoding\n"); break;
    case DecodeResult::CutShort:
        Debug::Instance().Error("JpegLoader::Load: data ends early <%s>\n", fileName);
        image->Clear();
        break;
    }
    return image;
}
