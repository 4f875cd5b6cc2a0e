#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/BmpBytes.h"
#include "images/Image.h"
#include "support/TempDir.h"

// A log in a temporary directory and a chosen screen format for the pictures of one test.
class ImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Debug::Release();
        Debug::Instance().CreateLogFile("debug.txt");
        DirectDraw::Instance().SetScreenFormat(ScreenFormat::Rgb565());
    }

    void TearDown() override
    {
        Singleton<DirectDraw>::Release();
        Debug::Release();
    }

    std::string Log() const { return dir.Read("debug.txt"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }

    TempDir dir;
};

// An 8-bit image of one row with the given palette indices.
inline Image IndexRow(const std::vector<uint8_t>& indices)
{
    Image image;
    image.Create(static_cast<int>(indices.size()), 1, 8, true);
    std::copy(indices.begin(), indices.end(), image.GetData());
    return image;
}
