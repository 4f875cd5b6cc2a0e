#pragma once

#include "images/Image.h"
#include "util/Singleton.h"

// Writes a 24-bit image (blue, green, red) as an uncompressed bottom-up BMP on disk.
class BmpWriter : public Singleton<BmpWriter> {
public:
    bool Write(const Image& image, const char* fileName);
};
