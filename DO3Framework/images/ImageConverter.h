#pragma once

#include <cstdint>
#include <memory>

#include "display/ScreenFormat.h"
#include "images/Image.h"
#include "util/Singleton.h"

// Converts pictures into the screen format of the display. Each operation takes its source:
// it returns a new image, or the source itself when there is nothing to do or the source
// cannot be converted (then an error box says so).
class ImageConverter : public Singleton<ImageConverter> {
public:
    std::unique_ptr<Image> ConvertTo8BitAlpha(std::unique_ptr<Image> image);
    std::unique_ptr<Image> ConvertToScreenFormat(std::unique_ptr<Image> image);
    std::unique_ptr<Image> ConvertTo16Bit(std::unique_ptr<Image> image);
    std::unique_ptr<Image> ConvertTo24Bit(std::unique_ptr<Image> image);
    std::unique_ptr<Image> ConvertTo32Bit(std::unique_ptr<Image> image);
    // A picture converted for the screen format `held` is converted again when the screen's
    // format has changed since (a change of depth), and `held` becomes the current format.
    // True when it was converted.
    bool FollowScreenFormat(std::unique_ptr<Image>& image, ScreenFormat& held);

    // The dither's generator starts at 12345; tests restart it.
    void ResetDither() { ditherState = 12345; }

private:
    uint32_t NextDitherValue();
    std::unique_ptr<Image> Dither24To16(const Image& source);

    uint32_t ditherState = 12345;
};
