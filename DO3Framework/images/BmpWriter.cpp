#include "images/BmpWriter.h"

#include <vector>

#include "app/Debug.h"
#include "files/File.h"

namespace {

constexpr int kHeadersBytes = 54;

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

bool BmpWriter::Write(const Image& image, const char* fileName)
{
    if (image.GetDepth() != 24 || image.IsEmpty() || image.IsEncoded()) {
        Debug::Instance().Error("BmpWriter::Write: only 24-bit pictures are written <%s>\n", fileName);
        return false;
    }
    size_t rowBytes = static_cast<size_t>(image.RowBytes());
    size_t paddedRow = (rowBytes + 3) & ~size_t{3};
    size_t pixelBytes = paddedRow * image.GetHeight();
    std::vector<uint8_t> out(kHeadersBytes + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, static_cast<uint32_t>(out.size()));
    PutU32(out, 10, kHeadersBytes);
    PutU32(out, 14, 40);
    PutU32(out, 18, static_cast<uint32_t>(image.GetWidth()));
    PutU32(out, 22, static_cast<uint32_t>(image.GetHeight()));
    out[26] = 1;   // planes
    out[28] = 24;  // bits per pixel
    PutU32(out, 34, static_cast<uint32_t>(pixelBytes));
    for (int y = 0; y < image.GetHeight(); ++y) {
        const uint8_t* row = image.Row(image.GetHeight() - 1 - y);
        std::copy(row, row + rowBytes, out.begin() + kHeadersBytes + static_cast<long>(paddedRow * y));
    }
    File file;
    bool written = file.OpenDisk(fileName, "wb") && file.Write(out.data(), static_cast<int>(out.size())) ==
                                                        static_cast<int>(out.size());
    if (!written) {
        Debug::Instance().Error("BmpWriter::Write: could not write <%s>\n", fileName);
    }
    return written;
}
