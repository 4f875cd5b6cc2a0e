#include "core/BmpEncoder.h"

#include <algorithm>
#include <array>
#include <map>

namespace bmp {
namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr uint8_t kVisibleAlpha = 128;
constexpr int kDarkest = 8;

void Put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

std::string Header(int width, int height, int bits, int paletteEntries)
{
    uint32_t dataOffset = kFileHeaderBytes + kInfoHeaderBytes + paletteEntries * 4;
    uint32_t imageBytes = static_cast<uint32_t>(RowBytes(width, bits)) * height;
    std::string out;
    out += "BM";
    Put32(out, dataOffset + imageBytes);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, kInfoHeaderBytes);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, paletteEntries);
    Put32(out, 0);
    return out;
}

Rgba Lifted(Rgba c)
{
    if (c.r < kDarkest && c.g < kDarkest && c.b < kDarkest) {
        return {kDarkest, kDarkest, kDarkest, c.a};
    }
    return c;
}

// Median cut over the visible colours, weighted by how often each occurs.
struct ColourCount {
    Rgba colour;
    int count;
};

std::vector<Rgba> Quantise(std::vector<ColourCount> colours, size_t maxColours)
{
    std::vector<std::vector<ColourCount>> boxes;
    if (!colours.empty()) {
        boxes.push_back(std::move(colours));
    }
    auto channel = [](const Rgba& c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; };
    while (boxes.size() < maxColours) {
        size_t widest = boxes.size();
        int widestRange = 0;
        int widestChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2) {
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                auto [lo, hi] = std::minmax_element(boxes[i].begin(), boxes[i].end(),
                    [&](const ColourCount& a, const ColourCount& b) { return channel(a.colour, k) < channel(b.colour, k); });
                int range = channel(hi->colour, k) - channel(lo->colour, k);
                if (range > widestRange) {
                    widestRange = range;
                    widest = i;
                    widestChannel = k;
                }
            }
        }
        if (widest == boxes.size()) {
            break;
        }
        std::vector<ColourCount>& box = boxes[widest];
        std::sort(box.begin(), box.end(), [&](const ColourCount& a, const ColourCount& b) {
            return channel(a.colour, widestChannel) < channel(b.colour, widestChannel);
        });
        long total = 0;
        for (const ColourCount& c : box) {
            total += c.count;
        }
        long half = 0;
        size_t cut = 1;
        for (; cut < box.size() - 1; ++cut) {
            half += box[cut - 1].count;
            if (half * 2 >= total) {
                break;
            }
        }
        std::vector<ColourCount> upper(box.begin() + static_cast<long>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgba> palette;
    for (const auto& box : boxes) {
        long r = 0, g = 0, b = 0, n = 0;
        for (const ColourCount& c : box) {
            r += c.colour.r * static_cast<long>(c.count);
            g += c.colour.g * static_cast<long>(c.count);
            b += c.colour.b * static_cast<long>(c.count);
            n += c.count;
        }
        palette.push_back(Lifted({static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n), 255}));
    }
    return palette;
}

uint8_t Nearest(const std::vector<Rgba>& palette, Rgba c)
{
    int best = 1;
    int bestDistance = 1 << 30;
    for (size_t i = 1; i < palette.size(); ++i) {
        int dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

std::string Encode24(const Canvas& canvas)
{
    int width = canvas.Width();
    int height = canvas.Height();
    std::string out = Header(width, height, 24, 0);
    int padding = RowBytes(width, 24) - width * 3;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            Rgba c = canvas.At(x, y);
            c = c.a < kVisibleAlpha ? Rgba{255, 0, 255, 0} : Lifted(c);
            out += static_cast<char>(c.b);
            out += static_cast<char>(c.g);
            out += static_cast<char>(c.r);
        }
        out.append(static_cast<size_t>(padding), '\0');
    }
    return out;
}

std::string Encode8(const Canvas& canvas)
{
    std::map<uint32_t, int> counts;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgba c = canvas.At(x, y);
            if (c.a >= kVisibleAlpha) {
                ++counts[(c.r << 16) | (c.g << 8) | c.b];
            }
        }
    }
    std::vector<ColourCount> colours;
    for (const auto& [key, count] : counts) {
        colours.push_back({{static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key), 255}, count});
    }
    std::vector<Rgba> palette = {Rgba{0, 0, 0, 0}};
    for (const Rgba& c : Quantise(std::move(colours), 255)) {
        palette.push_back(c);
    }
    std::vector<uint8_t> indices(static_cast<size_t>(canvas.Width()) * canvas.Height(), 0);
    std::map<uint32_t, uint8_t> chosen;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgba c = canvas.At(x, y);
            if (c.a < kVisibleAlpha || palette.size() < 2) {
                continue;
            }
            uint32_t key = (c.r << 16) | (c.g << 8) | c.b;
            auto found = chosen.find(key);
            uint8_t index = found != chosen.end() ? found->second : (chosen[key] = Nearest(palette, c));
            indices[static_cast<size_t>(y) * canvas.Width() + x] = index;
        }
    }
    return EncodeIndexed(canvas.Width(), canvas.Height(), indices, palette);
}

std::string EncodeIndexed(int width, int height, const std::vector<uint8_t>& indices, const std::vector<Rgba>& palette)
{
    std::string out = Header(width, height, 8, static_cast<int>(palette.size()));
    for (const Rgba& c : palette) {
        out += static_cast<char>(c.b);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.r);
        out += '\0';
    }
    int padding = RowBytes(width, 8) - width;
    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(indices.data()) + static_cast<size_t>(y) * width, static_cast<size_t>(width));
        out.append(static_cast<size_t>(padding), '\0');
    }
    return out;
}

}  // namespace bmp
