#pragma once

#include <memory>
#include <string>
#include <vector>

#include "images/Image.h"
#include "text/Font.h"

// An 8-bit picture drawn with characters: '#' white, anything else black.
inline Image Picture(const std::vector<std::string>& rows)
{
    Image image;
    image.Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 8, true);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            image.Row(static_cast<int>(y))[x] = rows[y][x] == '#' ? 255 : 0;
        }
    }
    return image;
}

// The columns each character's glyph spans, as "left-right" separated by blanks; "-" for none.
inline std::string Spans(const Font& font, const std::string& characters)
{
    std::string spans;
    for (char c : characters) {
        const Glyph* glyph = font.FindGlyph(c);
        spans += (spans.empty() ? "" : " ") +
                 (glyph ? std::to_string(glyph->left) + "-" + std::to_string(glyph->right) : std::string("-"));
    }
    return spans;
}

// A font without sprite whose characters "a" and "b" are 4 pixels wide (3 + spacing 1) and
// whose space is 5 wide: enough to measure and lay out text.
inline std::unique_ptr<Font> MeasuringFont(int lineHeight)
{
    auto font = std::make_unique<Font>();
    font->ScanGlyphs(Picture({"####.####"}), "ab", "measuring");
    font->SetSpacing(1);
    font->SetSpaceWidth(5);
    font->SetLineHeight(lineHeight);
    return font;
}
