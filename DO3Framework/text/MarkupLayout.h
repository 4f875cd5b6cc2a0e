#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "text/MarkupToken.h"
#include "text/TextAlignment.h"
#include "text/TextRect.h"

class Font;

// Places tokenized mark-up inside a rectangle: applies the font tags, fills lines from left to
// right, breaks them where a token would overflow the width or a tag asks for it, aligns each
// line horizontally and each token vertically within its line. Lines run down from the top of
// the rectangle whatever its height; a word wider than the rectangle overflows it. Its working
// lists keep their storage, so laying out text of a known size allocates nothing.
class MarkupLayout {
public:
    using FontLookup = std::function<const Font*(std::string_view name)>;

    explicit MarkupLayout(FontLookup findFont);

    // Fills in the font, size, line and absolute position of the first count tokens.
    void Arrange(std::vector<MarkupToken>& tokens, size_t count, const Font* currentFont, int32_t horizontal,
                 int32_t vertical, const TextRect& rect);

    int LineCount() const { return static_cast<int>(lines.size()); }

private:
    struct Line {
        int32_t width = 0;
        // Tallest token in the line. An empty line takes the height of the font in force, so that
        // "<br><br>" leaves the blank line between paragraphs that every text is written for;
        // with no height the paragraphs would run together.
        int32_t height = 0;
        int32_t emptyHeight = 0;
        int32_t alignment = kAlignLeft;
        bool hasTokens = false;
        bool hasRoomTaken = false;
    };

    void ApplyFonts(std::vector<MarkupToken>& tokens, size_t count);
    void BreakLines(std::vector<MarkupToken>& tokens, size_t count);
    void ApplyTag(const MarkupToken& tag);
    void PlaceToken(MarkupToken& token, size_t index);
    void StartLine(const Font* font);
    void PlaceLines(std::vector<MarkupToken>& tokens, size_t count);
    int32_t LineOffset(const Line& line) const;
    static int32_t VerticalOffset(int32_t code, int32_t lineHeight, int32_t tokenHeight);

    FontLookup findFont;
    const Font* currentFont = nullptr;
    int32_t defaultHorizontal = kAlignLeft;
    int32_t defaultVertical = kAlignTop;
    TextRect rect;
    std::vector<const Font*> fonts;
    std::vector<Line> lines;
    std::vector<int32_t> lineTop;
    std::vector<int32_t> horizontalStack;
    std::vector<int32_t> verticalStack;
    // The vertical code in force at each token.
    std::vector<int32_t> tokenVertical;
};
