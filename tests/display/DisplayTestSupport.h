#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "platform/DisplayModes.h"
#include "platform/PixelFormat.h"
#include "support/TempDir.h"

// A fresh display and log (the singleton is dropped through its base: DirectDraw::Release is the
// display's own shutdown) in a temporary directory; the screen formats are reset afterwards.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Debug::Release();
        Singleton<DirectDraw>::Release();
        Debug::Instance().CreateLogFile("debug.txt");
    }

    void TearDown() override
    {
        Singleton<DirectDraw>::Release();
        platform::OverrideDesktopDepth(0);
        platform::UseRgb555ForSixteenBits(false);
        Debug::Release();
    }

    std::string Log() const { return dir.Read("debug.txt"); }
    static DirectDraw& Display() { return DirectDraw::Instance(); }

    TempDir dir;
};
