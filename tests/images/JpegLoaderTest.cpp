#include <cstdio>
#include <string>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "ImageTestSupport.h"
#include "images/JpegLoader.h"

namespace {

// Encodes a picture of one colour: three components, or one for a grey picture.
std::string EncodeJpeg(int width, int height, int components, const uint8_t color[3])
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
    jpeg_set_quality(&encoder, 100, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width * components));
    for (int x = 0; x < width * components; ++x) {
        row[static_cast<size_t>(x)] = color[x % components];
    }
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&encoder);
    std::free(buffer);
    return bytes;
}

bool Near(int value, int expected)
{
    return value >= expected - 3 && value <= expected + 3;
}

class JpegLoaderTest : public ImageTest {};

TEST_F(JpegLoaderTest, DecodesColourAndGreyToBlueGreenRedBytes)
{
    const uint8_t orange[3] = {250, 120, 10};
    dir.Write("orange.jpg", EncodeJpeg(16, 9, 3, orange));
    auto image = JpegLoader::Instance().Load("orange.jpg");
    ASSERT_EQ(image->GetWidth(), 16);
    ASSERT_EQ(image->GetHeight(), 9);
    EXPECT_EQ(image->GetDepth(), 24);
    const uint8_t* pixel = image->Row(8) + 15 * 3;
    EXPECT_TRUE(Near(pixel[0], 10) && Near(pixel[1], 120) && Near(pixel[2], 250))
        << int(pixel[0]) << " " << int(pixel[1]) << " " << int(pixel[2]);

    // Grey pictures become three equal channels.
    const uint8_t grey[3] = {77, 0, 0};
    dir.Write("grey.jpg", EncodeJpeg(8, 8, 1, grey));
    image = JpegLoader::Instance().Load("grey.jpg");
    ASSERT_EQ(image->GetDepth(), 24);
    pixel = image->Row(3) + 3 * 3;
    EXPECT_TRUE(Near(pixel[0], 77) && pixel[0] == pixel[1] && pixel[1] == pixel[2]);
}

TEST_F(JpegLoaderTest, BrokenOrHugeFilesGiveAnEmptyPictureAndALogLine)
{
    EXPECT_TRUE(JpegLoader::Instance().Load("missing.jpg")->IsEmpty());
    EXPECT_TRUE(Logged("can't open missing.jpg\n"));

    dir.Write("garbage.jpg", std::string(64, 'x'));
    EXPECT_TRUE(JpegLoader::Instance().Load("garbage.jpg")->IsEmpty());
    EXPECT_TRUE(Logged("JpegLoader::Load: not a readable JPEG header <garbage.jpg>"));

    const uint8_t white[3] = {255, 255, 255};
    std::string whole = EncodeJpeg(64, 64, 3, white);
    // Keep the headers and the start of the scan (marker FF DA).
    size_t scan = whole.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    dir.Write("cut.jpg", whole.substr(0, scan + 16));
    EXPECT_TRUE(JpegLoader::Instance().Load("cut.jpg")->IsEmpty());
    EXPECT_TRUE(Logged("JpegLoader::Load: data ends early <cut.jpg>"));

    // Huge declared sizes are refused before decoding.
    std::string bytes = EncodeJpeg(8, 8, 3, white);
    // The frame header (SOF0, marker FF C0) holds height and width as 16-bit big-endian values.
    size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    bytes[frame + 5] = '\x80';
    bytes[frame + 6] = '\x00';
    dir.Write("huge.jpg", bytes);
    EXPECT_TRUE(JpegLoader::Instance().Load("huge.jpg")->IsEmpty());
    EXPECT_TRUE(Logged("JpegLoader::Load: unsupported size or colour layout <huge.jpg>"));
}

}  // namespace
