#include "sound/SoundPicture.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace soundpicture {

namespace {

constexpr Rgba kBackground{28, 32, 42, 255};
constexpr Rgba kWave{150, 220, 140, 255};
constexpr Rgba kAxis{70, 78, 96, 255};
constexpr double kLowestHz = 40.0;
constexpr double kHighestHz = 11025.0;
constexpr double kRangeDb = 90.0;

void Fft(std::vector<std::complex<double>>& data)
{
    const size_t size = data.size();
    for (size_t i = 1, j = 0; i < size; ++i) {
        size_t bit = size >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(data[i], data[j]);
        }
    }
    for (size_t length = 2; length <= size; length <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(length));
        for (size_t start = 0; start < size; start += length) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= turn;
            }
        }
    }
}

// Dark blue through purple and orange to pale yellow.
Rgba Heat(double level)
{
    const double t = std::clamp(level, 0.0, 1.0);
    auto channel = [](double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 1.0) * 255.0); };
    return {channel(kBackground.r / 255.0 + 1.6 * t), channel(kBackground.g / 255.0 + std::pow(t, 2.0) * 1.1),
            channel(kBackground.b / 255.0 + 0.8 * std::sin(std::numbers::pi * t) * (1.0 - t) + t * t * 0.4), 255};
}

void DrawWave(Canvas& canvas, const synth::Buffer& samples)
{
    const int middle = kWaveHeight / 2;
    for (int x = 0; x < kWidth; ++x) {
        canvas.Set(x, middle, kAxis);
        const size_t from = samples.size() * static_cast<size_t>(x) / kWidth;
        const size_t to = std::max(from + 1, samples.size() * static_cast<size_t>(x + 1) / kWidth);
        float low = 0.0f;
        float high = 0.0f;
        for (size_t i = from; i < to && i < samples.size(); ++i) {
            low = std::min(low, samples[i]);
            high = std::max(high, samples[i]);
        }
        const int top = middle - static_cast<int>(high * (middle - 1));
        const int bottom = middle - static_cast<int>(low * (middle - 1));
        for (int y = top; y <= bottom; ++y) {
            canvas.Set(x, y, kWave);
        }
    }
}

void DrawSpectrum(Canvas& canvas, const synth::Buffer& samples, int rate)
{
    const size_t window = rate > 30000 ? 1024 : 512;
    const double binHz = static_cast<double>(rate) / static_cast<double>(window);
    std::vector<std::complex<double>> frame(window);
    for (int x = 0; x < kWidth; ++x) {
        const long centre = static_cast<long>(samples.size() * static_cast<size_t>(x) / kWidth);
        for (size_t i = 0; i < window; ++i) {
            const long at = centre - static_cast<long>(window / 2) + static_cast<long>(i);
            const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / window);
            const bool inside = at >= 0 && at < static_cast<long>(samples.size());
            frame[i] = inside ? samples[static_cast<size_t>(at)] * hann : 0.0;
        }
        Fft(frame);
        for (int row = 0; row < kSpectrumHeight; ++row) {
            const double hz = kLowestHz * std::pow(kHighestHz / kLowestHz, (row + 0.5) / kSpectrumHeight);
            const size_t bin = std::min(window / 2, static_cast<size_t>(hz / binHz));
            const double magnitude = std::abs(frame[bin]) * 4.0 / static_cast<double>(window);
            const double db = 20.0 * std::log10(std::max(magnitude, 1e-9));
            canvas.Set(x, kWaveHeight + kSpectrumHeight - 1 - row, Heat(1.0 + db / kRangeDb));
        }
    }
}

}  // namespace

Canvas Draw(const synth::Buffer& samples, int rate)
{
    Canvas canvas(kWidth, kWaveHeight + kSpectrumHeight, kBackground);
    DrawWave(canvas, samples);
    DrawSpectrum(canvas, samples, rate);
    return canvas;
}

}  // namespace soundpicture
