#include "figures/FigureEffects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "figures/FigureStripWriter.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr Rgba kInk{52, 30, 20, 255};

// Shadow: authored at twice the figure's footprint (it is drawn at half the figure's scale).
constexpr int kShadowWidth = 96;
constexpr int kShadowHeight = 30;
constexpr int kShadowAlphaLevels = 16;
constexpr int kShadowDarkest = 150;

constexpr int kStarCellWidth = 80;
constexpr int kStarCellHeight = 44;
constexpr int kStarFrames = 8;
constexpr int kStarCount = 4;

constexpr int kHitCellSize = 64;
constexpr int kHitCellHeight = 76;
constexpr int kHitFrames = 6;

// Puts a dark rim around everything painted in one cell of a canvas.
void AddInkRim(Canvas& canvas, int top, int height)
{
    Canvas copy = canvas;
    for (int y = top; y < top + height; ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (copy.At(x, y).a != 0) {
                continue;
            }
            bool beside = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                int nx = x + dx, ny = y + dy;
                beside = beside || (nx >= 0 && nx < canvas.Width() && ny >= top && ny < top + height && copy.At(nx, ny).a != 0);
            }
            if (beside) {
                canvas.Set(x, y, kInk);
            }
        }
    }
}

// A star with `points` tips; inner is the notch radius as a share of the tip radius.
void PaintStar(Canvas& canvas, float cx, float cy, float radius, float inner, int points, float angle, Rgba fill, Rgba glow)
{
    for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y) {
        for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
            float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
            float a = std::atan2(dy, dx) - angle;
            float sector = 2.0f * kPi / static_cast<float>(points);
            float t = std::fabs(std::fmod(a + 100.0f * sector, sector) / sector - 0.5f) * 2.0f;
            float edge = radius * (inner + (1.0f - inner) * t);
            float d = std::sqrt(dx * dx + dy * dy);
            if (d <= edge) {
                canvas.Set(x, y, d < edge * 0.45f ? glow : fill);
            }
        }
    }
}

void ForgeShadow(ForgeOutput& output, const char* listPath, const std::string& directory)
{
    std::vector<uint8_t> colour(static_cast<size_t>(kShadowWidth) * kShadowHeight, 0);
    std::vector<uint8_t> alpha(colour.size(), 0);
    Canvas sheet(kShadowWidth, kShadowHeight);
    for (int y = 0; y < kShadowHeight; ++y) {
        for (int x = 0; x < kShadowWidth; ++x) {
            float u = (static_cast<float>(x) + 0.5f - kShadowWidth * 0.5f) / (kShadowWidth * 0.5f - 1.0f);
            float v = (static_cast<float>(y) + 0.5f - kShadowHeight * 0.5f) / (kShadowHeight * 0.5f - 1.0f);
            float d = u * u + v * v;
            if (d >= 1.0f) {
                continue;
            }
            int level = std::clamp(static_cast<int>((1.0f - d * d) * kShadowAlphaLevels), 1, kShadowAlphaLevels - 1);
            size_t index = static_cast<size_t>(y) * kShadowWidth + x;
            colour[index] = 1;
            alpha[index] = static_cast<uint8_t>(level);
            uint8_t shade = static_cast<uint8_t>(kShadowDarkest * level / (kShadowAlphaLevels - 1));
            sheet.Set(x, y, {40, 52, 30, static_cast<uint8_t>(std::max<int>(shade, 128))});
        }
    }
    // The alpha strip's palette: entry k carries its opacity in the blue byte (grey for review).
    std::vector<Rgba> alphaPalette;
    for (int k = 0; k < kShadowAlphaLevels; ++k) {
        uint8_t a = static_cast<uint8_t>(kShadowDarkest * k / (kShadowAlphaLevels - 1));
        alphaPalette.push_back({a, a, a, 255});
    }
    output.WriteBytes(directory + "shadow.bmp", bmp::EncodeIndexed(kShadowWidth, kShadowHeight, colour, {{0, 0, 0, 0}, {40, 52, 30, 255}}));
    output.WriteBytes(directory + "shadow_alpha.bmp", bmp::EncodeIndexed(kShadowWidth, kShadowHeight, alpha, alphaPalette));
    output.AddSpriteLine(listPath, "shadow anim_rle shadow normx 1");
    output.AddToSheet("characters", "shadow", sheet);
}

// Four stars circling on a flat ellipse; those behind are smaller and dimmer.
Canvas StarsStrip()
{
    Canvas strip(kStarCellWidth, kStarCellHeight * kStarFrames);
    for (int f = 0; f < kStarFrames; ++f) {
        int top = f * kStarCellHeight;
        struct Star {
            float x, y, depth, angle;
        };
        std::vector<Star> stars;
        for (int i = 0; i < kStarCount; ++i) {
            float a = 2.0f * kPi * (static_cast<float>(f) / kStarFrames + static_cast<float>(i) / kStarCount);
            stars.push_back({kStarCellWidth * 0.5f + 29.0f * std::cos(a), top + kStarCellHeight * 0.5f + 9.0f * std::sin(a),
                             std::sin(a), a * 0.5f});
        }
        std::sort(stars.begin(), stars.end(), [](const Star& a, const Star& b) { return a.depth < b.depth; });
        for (const Star& star : stars) {
            float near = 0.5f + 0.5f * star.depth;
            Rgba fill{255, static_cast<uint8_t>(196 + 40 * near), static_cast<uint8_t>(40 + 30 * near), 255};
            Rgba glow{255, 250, static_cast<uint8_t>(170 + 60 * near), 255};
            PaintStar(strip, star.x, star.y, 7.0f + 4.0f * near, 0.45f, 5, star.angle, fill, glow);
        }
        AddInkRim(strip, top, kStarCellHeight);
    }
    return strip;
}

// A burst that flares, spreads into sparks and fades; its heart sits at the height of a blow.
Canvas HitStrip()
{
    Canvas strip(kHitCellSize, kHitCellHeight * kHitFrames);
    const float grow[kHitFrames] = {0.45f, 0.85f, 1.0f, 0.8f, 0.5f, 0.25f};
    for (int f = 0; f < kHitFrames; ++f) {
        int top = f * kHitCellHeight;
        float cx = kHitCellSize * 0.5f, cy = static_cast<float>(top + kHitCellHeight - 38);
        float size = grow[f];
        if (f < 4) {
            PaintStar(strip, cx, cy, 27.0f * size, 0.42f, 8, 0.2f * static_cast<float>(f), {255, 150, 40, 255}, {255, 236, 120, 255});
            PaintStar(strip, cx, cy, 15.0f * size, 0.5f, 8, 0.6f, {255, 248, 210, 255}, {255, 255, 255, 255});
        }
        if (f >= 2) {
            for (int i = 0; i < 6; ++i) {
                float a = static_cast<float>(i) * kPi / 3.0f + 0.3f;
                float reach = 13.0f + 2.5f * static_cast<float>(f);
                PaintStar(strip, cx + reach * std::cos(a), cy + reach * std::sin(a) * 0.8f, 5.0f - 0.5f * static_cast<float>(f - 2),
                          0.4f, 4, a, {255, 200, 60, 255}, {255, 250, 200, 255});
            }
        }
        AddInkRim(strip, top, kHitCellHeight);
    }
    return strip;
}

}  // namespace

void ForgeFigureEffects(ForgeOutput& output, FigureStripWriter& writer, const char* listPath, const char* directory)
{
    ForgeShadow(output, listPath, directory);
    writer.WriteStrip("sternchen", "characters", StarsStrip(), kStarFrames, {});
    writer.WriteStrip("hitAnimation", "characters", HitStrip(), kHitFrames, {});
}
