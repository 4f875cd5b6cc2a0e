#pragma once

#include <functional>
#include <string>
#include <vector>

#include "text/MarkupToken.h"
#include "text/TextAlignment.h"
#include "text/TextRect.h"

class Font;

// Places tokenized mark-up inside a rectangle: applies the font tags, fills lines from left to
// right, breaks them where a token would overflow the width or a tag asks for it, aligns each
// line horizontally and each token vertically within its line. Lines run down from the top of
// the rectangle whatever its height; a word wider than the rectangle overflows it.
class MarkupLayout {
public:
    using FontLookup = std::function<const Font*(const std::string& name)>;

    MarkupLayout(FontLookup findFont, const Font* currentFont, int32_t horizontal, int32_t vertical,
                 const TextRect& rect);

    // Fills in every token's font, size, line and absolute position.
    void Arrange(std::vector<MarkupToken>& tokens);

    int LineCount() const { return static_cast<int>(lines.size()); }

private:
    struct Line {
        int32_t width = 0;
        // Tallest token in the line; an empty line takes the height of the font in force.
        int32_t height = 0;
        int32_t emptyHeight = 0;
        int32_t alignment = kAlignLeft;
        bool hasTokens = false;
        bool hasRoomTaken = false;
    };

    void ApplyFonts(std::vector<MarkupToken>& tokens);
    void BreakLines(std::vector<MarkupToken>& tokens);
    void ApplyTag(const MarkupToken& tag);
    void PlaceToken(MarkupToken& token, size_t index);
    void StartLine(const Font* font);
    void PlaceLines(std::vector<MarkupToken>& tokens) const;
    int32_t LineOffset(const Line& line) const;
    static int32_t VerticalOffset(int32_t code, int32_t lineHeight, int32_t tokenHeight);

    FontLookup findFont;
    const Font* currentFont;
    int32_t defaultHorizontal;
    int32_t defaultVertical;
    TextRect rect;
    std::vector<Line> lines;
    std::vector<int32_t> horizontalStack;
    std::vector<int32_t> verticalStack;
    // The vertical code in force at each token.
    std::vector<int32_t> tokenVertical;
};
