#include "platform/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace platform {

namespace {

// The decoder's fatal errors jump back here instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpBack(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->jump, 1);
}

// Warnings (damaged data) are counted and judged by the caller; none is printed.
void CountWarning(j_common_ptr decoder, int level)
{
    if (level < 0) {
        ++decoder->err->num_warnings;
    }
}

void Empty(JpegDecoder::Picture& picture)
{
    picture.width = 0;
    picture.height = 0;
    picture.rgb.clear();
}

// Rows are appended as they arrive, so after a fatal error the buffer holds exactly those
// decoded; the capacity stays from the previous picture, so a film's frames reuse it.
bool ReadRows(jpeg_decompress_struct& decoder, JpegDecoder::Picture& picture)
{
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    while (decoder.output_scanline < decoder.output_height) {
        if (decoder.err->num_warnings > 0) {
            return false;
        }
        const size_t filled = static_cast<size_t>(decoder.output_scanline) * rowBytes;
        picture.rgb.resize(filled + rowBytes);
        JSAMPROW rows[1] = {picture.rgb.data() + filled};
        jpeg_read_scanlines(&decoder, rows, 1);
    }
    return decoder.err->num_warnings == 0;
}

}  // namespace

// Only plain data and the caller's picture are touched between setjmp and a jump, so the
// jump skips no destructor.
JpegDecoder::Result JpegDecoder::Decode(const uint8_t* data, size_t size, Picture& picture)
{
    Empty(picture);
    jpeg_decompress_struct decoder;
    ErrorManager errors;
    decoder.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpBack;
    errors.base.emit_message = &CountWarning;
    volatile bool started = false;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&decoder);
        if (!started) {
            Empty(picture);
            return Result::BadHeader;
        }
        picture.rgb.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3);
        return Result::Failed;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, data, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder, TRUE);
    if (decoder.image_width > kMaxSide || decoder.image_height > kMaxSide) {
        jpeg_destroy_decompress(&decoder);
        return Result::TooLarge;
    }
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    if (decoder.output_components != 3) {
        jpeg_destroy_decompress(&decoder);
        return Result::TooLarge;
    }
    picture.width = static_cast<int>(decoder.output_width);
    picture.height = static_cast<int>(decoder.output_height);
    picture.rgb.reserve(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3);
    started = true;
    if (!ReadRows(decoder, picture)) {
        jpeg_destroy_decompress(&decoder);
        Empty(picture);
        return Result::CutShort;
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return Result::Ok;
}

}  // namespace platform
