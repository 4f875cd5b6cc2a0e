#pragma once

#include <memory>

#include "images/Image.h"
#include "util/Singleton.h"

// Decodes baseline and progressive JPEG files into 24-bit images (blue, green, red). A file
// that cannot be opened yields an empty image; a decoding error yields the rows decoded so far.
class JpegLoader : public Singleton<JpegLoader> {
public:
    std::unique_ptr<Image> Load(const char* fileName);
};
