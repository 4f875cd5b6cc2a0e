#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "images/Image.h"
#include "images/ImageUtil.h"

namespace {

constexpr size_t kHeader = 4;

// An encoded 8-bit frame of the given size holding the stream as it stands.
std::unique_ptr<Image> EncodedFrame(int width, int height, const uint8_t* stream, size_t size)
{
    auto frame = std::make_unique<Image>();
    if (!frame->Create(width, height, 8, true)) {
        return nullptr;
    }
    frame->SetData(std::vector<uint8_t>(stream, stream + size));
    frame->MarkEncoded(static_cast<int>(size));
    return frame;
}

}  // namespace

// Bytes 0-1: frame width and height (1..64); byte 2: where the stream splits into colour and
// alpha (0: no alpha); byte 3 spare for the tint; then the streams. The output is sized for
// the frame; the encoded size claimed is what was given.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeader) {
        return 0;
    }
    int width = data[0] % 64 + 1;
    int height = data[1] % 64 + 1;
    size_t streamSize = size - kHeader;
    size_t split = data[2] == 0 ? streamSize : std::min<size_t>(data[2] * 4u, streamSize);
    auto frame = EncodedFrame(width, height, data + kHeader, split);
    auto alpha = data[2] == 0 ? nullptr : EncodedFrame(width, height, data + kHeader + split, streamSize - split);
    if (!frame) {
        return 0;
    }
    std::vector<uint32_t> output(static_cast<size_t>(width) * height);
    ImageUtil::Instance().RunLengthDecode(frame.get(), alpha.get(), output.data(), output.size());
    ImageUtil::Instance().RunLengthDecodeTinted(frame.get(), nullptr, output.data(), output.size(), data[3] * 0x10101u);
    return 0;
}
