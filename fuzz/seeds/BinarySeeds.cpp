#include "seeds/BinarySeeds.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace seeds {

void Put16(std::string& out, uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string IndexedBmp(int width, int height, int bits)
{
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    const uint32_t colours = 1u << bits;
    const uint32_t rowsOffset = 14 + 40 + colours * 4;
    std::string out = "BM";
    Put32(out, rowsOffset + static_cast<uint32_t>(rowBytes * height));
    Put32(out, 0);
    Put32(out, rowsOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(bits));
    for (int field = 0; field < 6; ++field) {
        Put32(out, 0);
    }
    for (uint32_t i = 0; i < colours; ++i) {
        Put32(out, i * 0x010101u);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < rowBytes; ++x) {
            out.push_back(static_cast<char>(bits == 1 ? 0xA5 : x + y));
        }
    }
    return out;
}

std::string Jpeg(int width, int height, int components, bool progressive)
{
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&encoder);
    if (progressive) {
        jpeg_simple_progression(&encoder);
    }
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width * components));
    while (encoder.next_scanline < encoder.image_height) {
        for (size_t x = 0; x < row.size(); ++x) {
            row[x] = static_cast<uint8_t>(x * 7 + encoder.next_scanline * 13);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&encoder);
    std::free(buffer);
    return bytes;
}

}  // namespace seeds
