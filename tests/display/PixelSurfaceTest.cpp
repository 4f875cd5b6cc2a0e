#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/PixelSurface.h"
#include "platform/PlatformResult.h"

using platform::PixelFormat;
using platform::PixelRect;
using platform::PixelSurface;

namespace {

constexpr uint32_t kKey = 0;

// Surfaces copy whole pixels, so each test runs once per pixel size; pixel values fit every size.
class PixelSurfaceTest : public ::testing::TestWithParam<PixelFormat> {
protected:
    std::unique_ptr<PixelSurface> Make(int width, int height, uint32_t fill = 0)
    {
        auto surface = PixelSurface::Create(width, height, GetParam());
        surface->Fill(nullptr, fill);
        return surface;
    }

    // A source whose pixel (x, y) is 1 + x + 10 * y, so every pixel tells where it came from.
    std::unique_ptr<PixelSurface> Numbered(int width, int height)
    {
        auto surface = Make(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                PixelRect one{x, y, x + 1, y + 1};
                surface->Fill(&one, static_cast<uint32_t>(1 + x + 10 * y));
            }
        }
        return surface;
    }

    // The surface as text rows of pixel values, for readable expectations.
    static std::string Dump(const PixelSurface& surface)
    {
        std::string text;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                text += (x ? " " : "") + std::to_string(surface.ReadPixel(x, y));
            }
            text += "\n";
        }
        return text;
    }
};

TEST_P(PixelSurfaceTest, FillsClipToEveryEdgeAndRefuseInvertedRectangles)
{
    auto surface = Make(4, 3);
    PixelRect overLeftTop{-5, -5, 2, 1};
    PixelRect overRightBottom{3, 2, 9, 9};
    EXPECT_EQ(surface->Fill(&overLeftTop, 7), platform::kResultOk);
    EXPECT_EQ(surface->Fill(&overRightBottom, 9), platform::kResultOk);
    EXPECT_EQ(Dump(*surface), "7 7 0 0\n0 0 0 0\n0 0 0 9\n");
    PixelRect inverted{3, 0, 1, 2};
    EXPECT_EQ(surface->Fill(&inverted, 5), platform::kResultInvalidRect);
    PixelRect outside{10, 10, 12, 12};
    EXPECT_EQ(surface->Fill(&outside, 5), platform::kResultOk);
    EXPECT_EQ(Dump(*surface), "7 7 0 0\n0 0 0 0\n0 0 0 9\n");
}

TEST_P(PixelSurfaceTest, CopiesClipAtEveryEdgeAndSurviveOverlapWithinOneSurface)
{
    auto source = Numbered(3, 3);
    auto target = Make(4, 4);
    EXPECT_EQ(target->Blit(-1, -2, *source, nullptr, platform::kBlitOpaque), platform::kResultOk);
    EXPECT_EQ(Dump(*target), "22 23 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0\n");
    target->Fill(nullptr, 0);
    EXPECT_EQ(target->Blit(2, 3, *source, nullptr, platform::kBlitOpaque), platform::kResultOk);
    EXPECT_EQ(Dump(*target), "0 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 1 2\n");
    target->Fill(nullptr, 0);
    PixelRect beyondSource{1, 1, 5, 5};
    EXPECT_EQ(target->Blit(0, 0, *source, &beyondSource, platform::kBlitOpaque), platform::kResultOk);
    EXPECT_EQ(Dump(*target), "12 13 0 0\n22 23 0 0\n0 0 0 0\n0 0 0 0\n");
    PixelRect inverted{2, 0, 1, 1};
    EXPECT_EQ(target->Blit(0, 0, *source, &inverted, platform::kBlitOpaque), platform::kResultInvalidRect);
    // Copies within one surface survive overlap.
    auto surface = Numbered(3, 4);
    PixelRect topRows{0, 0, 3, 3};
    surface->Blit(0, 1, *surface, &topRows, platform::kBlitOpaque);
    EXPECT_EQ(Dump(*surface), "1 2 3\n1 2 3\n11 12 13\n21 22 23\n");
}

TEST_P(PixelSurfaceTest, ColorKeyedCopiesSkipKeyPixelsAcrossWideRowsAndWholeBlocks)
{
    // 19 columns: two blocks of the vector path and a scalar tail.
    auto source = Make(19, 1);
    for (int x = 0; x < 19; x += 2) {
        PixelRect one{x, 0, x + 1, 1};
        source->Fill(&one, static_cast<uint32_t>(x + 1));
    }
    auto target = Make(20, 1, 5);
    EXPECT_EQ(target->Blit(1, 0, *source, nullptr, platform::kBlitColorKey), platform::kResultOk);
    for (int x = 0; x < 20; ++x) {
        uint32_t expected = (x >= 1 && (x - 1) % 2 == 0) ? static_cast<uint32_t>(x) : 5u;
        EXPECT_EQ(target->ReadPixel(x, 0), expected) << "column " << x;
    }
    source->SetColorKey(3);
    target->Fill(nullptr, 5);
    target->Blit(0, 0, *source, nullptr, platform::kBlitColorKey);
    EXPECT_EQ(target->ReadPixel(0, 0), 1u);
    EXPECT_EQ(target->ReadPixel(1, 0), 0u);
    EXPECT_EQ(target->ReadPixel(2, 0), 5u);

    // Wholly opaque and wholly transparent blocks.
    auto opaque = Make(16, 1, 4);
    auto transparent = Make(16, 1, kKey);
    target = Make(16, 1, 9);
    target->Blit(0, 0, *transparent, nullptr, platform::kBlitColorKey);
    EXPECT_EQ(Dump(*target), "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9\n");
    target->Blit(0, 0, *opaque, nullptr, platform::kBlitColorKey);
    EXPECT_EQ(Dump(*target), "4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4\n");
}

TEST_P(PixelSurfaceTest, StretchesByNearestNeighbourSamplingPixelCentresAndKeepTheKey)
{
    auto source = Numbered(4, 2);
    auto enlarged = Make(8, 4);
    EXPECT_EQ(enlarged->StretchBlit(nullptr, *source, nullptr, platform::kBlitOpaque), platform::kResultOk);
    EXPECT_EQ(Dump(*enlarged), "1 1 2 2 3 3 4 4\n1 1 2 2 3 3 4 4\n11 11 12 12 13 13 14 14\n"
                               "11 11 12 12 13 13 14 14\n");
    auto halved = Make(2, 1);
    halved->StretchBlit(nullptr, *source, nullptr, platform::kBlitOpaque);
    EXPECT_EQ(Dump(*halved), "12 14\n");

    // Colour-keyed stretches leave key pixels untouched.
    auto keyed = Make(2, 1);
    PixelRect right{1, 0, 2, 1};
    keyed->Fill(&right, 6);
    auto target = Make(4, 1, 2);
    target->StretchBlit(nullptr, *keyed, nullptr, platform::kBlitColorKey);
    EXPECT_EQ(Dump(*target), "2 2 6 6\n");
}

TEST_P(PixelSurfaceTest, StretchesClipTheDestinationAndMoveTheSourceWithIt)
{
    auto source = Numbered(3, 3);
    auto target = Make(4, 4);
    PixelRect leftTop{-2, -2, 4, 4};
    EXPECT_EQ(target->StretchBlit(&leftTop, *source, nullptr, platform::kBlitOpaque), platform::kResultOk);
    // Twice the size: destination columns -2 and -1 show source column 0, 0 and 1 column 1.
    EXPECT_EQ(Dump(*target), "12 12 13 13\n12 12 13 13\n22 22 23 23\n22 22 23 23\n");
    target->Fill(nullptr, 0);
    PixelRect rightBottom{2, 2, 8, 8};
    target->StretchBlit(&rightBottom, *source, nullptr, platform::kBlitOpaque);
    EXPECT_EQ(Dump(*target), "0 0 0 0\n0 0 0 0\n0 0 1 1\n0 0 1 1\n");
    PixelRect outsideSource{0, 0, 4, 3};
    EXPECT_EQ(target->StretchBlit(&rightBottom, *source, &outsideSource, platform::kBlitOpaque),
              platform::kResultInvalidRect);
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelSurfaceTest,
                         ::testing::Values(PixelFormat::Rgb565(), PixelFormat::Rgb888(), PixelFormat::Xrgb8888()),
                         [](const auto& test) { return "Bits" + std::to_string(test.param.bitsPerPixel); });

TEST(PixelSurfaceLocking, LocksGivePitchAlignedRowsOneAtATimeAndFormatsMustMatch)
{
    auto surface = PixelSurface::Create(3, 2, PixelFormat::Rgb565());
    platform::LockedPixels locked;
    ASSERT_EQ(surface->Lock(locked), platform::kResultOk);
    EXPECT_EQ(locked.pitch, 8);
    EXPECT_EQ(locked.format, PixelFormat::Rgb565());
    locked.pixels[locked.pitch + 4] = 0x1F;  // pixel (2, 1)
    platform::LockedPixels second;
    EXPECT_EQ(surface->Lock(second), platform::kResultSurfaceBusy);
    EXPECT_EQ(surface->Unlock(), platform::kResultOk);
    EXPECT_EQ(surface->Unlock(), platform::kResultInvalidCall);
    EXPECT_EQ(surface->ReadPixel(2, 1), 0x1Fu);
    EXPECT_EQ(PixelSurface::Create(3, 2, PixelFormat::Xrgb8888())->Pitch(), 12);
    EXPECT_EQ(PixelSurface::Create(0, 2, PixelFormat::Rgb565()), nullptr);
    EXPECT_EQ(PixelSurface::Create(2, 2, PixelFormat{8, 0, 0, 0}), nullptr);

    // Blits between different formats are refused.
    auto wide = PixelSurface::Create(2, 2, PixelFormat::Xrgb8888());
    EXPECT_EQ(surface->Blit(0, 0, *wide, nullptr, platform::kBlitOpaque), platform::kResultInvalidPixelFormat);
    EXPECT_EQ(surface->StretchBlit(nullptr, *wide, nullptr, platform::kBlitOpaque),
              platform::kResultInvalidPixelFormat);
}

TEST(PixelSurfaceLosing, LostSurfacesRefuseEveryOperationUntilRestored)
{
    auto surface = PixelSurface::Create(2, 2, PixelFormat::Rgb565());
    auto other = PixelSurface::Create(2, 2, PixelFormat::Rgb565());
    surface->Fill(nullptr, 9);
    PixelSurface::MarkAllLost();
    EXPECT_TRUE(other->IsLost());
    platform::LockedPixels locked;
    EXPECT_EQ(surface->Lock(locked), platform::kResultSurfaceLost);
    EXPECT_EQ(surface->Fill(nullptr, 1), platform::kResultSurfaceLost);
    EXPECT_EQ(other->Restore(), platform::kResultOk);
    EXPECT_EQ(other->Blit(0, 0, *surface, nullptr, platform::kBlitOpaque), platform::kResultSurfaceLost);
    surface->Restore();
    EXPECT_FALSE(surface->IsLost());
    EXPECT_EQ(surface->ReadPixel(0, 0), 0u) << "a restored surface has to be drawn again";
    EXPECT_EQ(surface->Fill(nullptr, 1), platform::kResultOk);
}

}  // namespace
