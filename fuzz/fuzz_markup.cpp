#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "images/Image.h"
#include "text/Font.h"
#include "text/MarkupLayout.h"
#include "text/MarkupToken.h"
#include "text/MarkupTokenizer.h"
#include "text/TextAlignment.h"
#include "text/TextRect.h"

namespace {

// Two small fonts with a glyph for every letter and digit, so words take room.
struct Fonts {
    Font plain;
    Font big;

    Fonts()
    {
        const std::string characterSet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        Image picture;
        picture.Create(static_cast<int>(characterSet.size()) * 3, 4, 8, true);
        for (int x = 0; x < picture.GetWidth(); x += 3) {
            picture.SetPixel(x, 1, 1);
            picture.SetPixel(x + 1, 2, 1);
        }
        plain.ScanGlyphs(picture, characterSet, "plain");
        big.ScanGlyphs(picture, characterSet, "big");
        big.SetLineHeight(40);
        big.SetSpacing(3);
    }
};

}  // namespace

// Bytes 0-1: the rectangle's width and the alignments; the rest is mark-up text, tokenized
// and laid out with the fonts "plain" and "big".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Fonts fonts;
    static std::vector<MarkupToken> tokens;
    if (size < 2) {
        return 0;
    }
    std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    size_t count = MarkupTokenizer::Tokenize(text, tokens);
    MarkupLayout layout([](std::string_view name) -> const Font* {
        if (name == "plain") {
            return &fonts.plain;
        }
        return name == "big" ? &fonts.big : nullptr;
    });
    TextRect rect{10, 20, data[0], 100};
    const int32_t vertical[] = {kAlignTop, kAlignCenter, kAlignBottom};
    layout.Arrange(tokens, count, &fonts.plain, data[1] % 3, vertical[data[1] / 3 % 3], rect);
    return 0;
}
