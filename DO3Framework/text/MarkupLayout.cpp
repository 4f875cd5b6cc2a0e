#include "text/MarkupLayout.h"

#include <algorithm>

#include "app/Debug.h"
#include "text/Font.h"
#include "text/MarkupTokenizer.h"

namespace {

int32_t HorizontalCode(std::string_view argument)
{
    if (argument == "left") {
        return kAlignLeft;
    }
    return argument == "right" ? kAlignRight : kAlignCenter;
}

int32_t VerticalCode(std::string_view argument)
{
    if (argument == "top") {
        return kAlignTop;
    }
    return argument == "bottom" ? kAlignBottom : kAlignCenter;
}

// Closing tags never remove the defaults at the bottom of a stack.
void PopAbove(std::vector<int32_t>& stack, size_t floor)
{
    if (stack.size() > floor) {
        stack.pop_back();
    }
}

bool TakesRoom(const MarkupToken& token)
{
    return token.kind == MarkupToken::kWord || token.kind == MarkupToken::kSpace;
}

}  // namespace

MarkupLayout::MarkupLayout(FontLookup lookup) : findFont(std::move(lookup)) {}

void MarkupLayout::Arrange(std::vector<MarkupToken>& tokens, size_t count, const Font* font, int32_t horizontal,
                           int32_t vertical, const TextRect& area)
{
    currentFont = font;
    defaultHorizontal = horizontal;
    defaultVertical = vertical;
    rect = area;
    ApplyFonts(tokens, count);
    BreakLines(tokens, count);
    PlaceLines(tokens, count);
}

void MarkupLayout::ApplyFonts(std::vector<MarkupToken>& tokens, size_t count)
{
    fonts.assign(1, currentFont);
    for (size_t i = 0; i < count; ++i) {
        MarkupToken& token = tokens[i];
        if (token.kind == MarkupToken::kTag) {
            std::string_view name;
            std::string_view argument;
            MarkupTokenizer::SplitTag(token.text, name, argument);
            if (name == "font") {
                const Font* named = findFont ? findFont(argument) : nullptr;
                if (!named) {
                    Debug::Instance().Warning("TextDisplay::DrawMarkup: Unknown font <%.*s>!\n",
                                              static_cast<int>(argument.size()), argument.data());
                }
                // An unknown font keeps the one in force, so its closing tag still pairs up.
                fonts.push_back(named ? named : fonts.back());
            } else if (name == "/font" && fonts.size() > 1) {
                fonts.pop_back();
            }
        }
        token.font = fonts.back();
        if (TakesRoom(token) && token.font) {
            token.width = token.font->GetTextWidth(token.text);
            token.height = token.font->GetLineHeight();
        }
    }
}

void MarkupLayout::BreakLines(std::vector<MarkupToken>& tokens, size_t count)
{
    lines.clear();
    horizontalStack.assign(1, defaultHorizontal);
    verticalStack.assign(1, defaultVertical);
    tokenVertical.assign(count, defaultVertical);
    StartLine(currentFont);
    for (size_t i = 0; i < count; ++i) {
        MarkupToken& token = tokens[i];
        if (token.kind == MarkupToken::kTag) {
            ApplyTag(token);
        } else {
            PlaceToken(token, i);
        }
        token.line = static_cast<int32_t>(lines.size()) - 1;
    }
}

void MarkupLayout::ApplyTag(const MarkupToken& tag)
{
    std::string_view name;
    std::string_view argument;
    MarkupTokenizer::SplitTag(tag.text, name, argument);
    if (name == "br") {
        StartLine(tag.font);
    } else if (name == "center") {
        if (lines.back().hasTokens) {
            StartLine(tag.font);
        }
        horizontalStack.push_back(kAlignCenter);
    } else if (name == "halign") {
        horizontalStack.push_back(HorizontalCode(argument));
    } else if (name == "/halign" || name == "/center") {
        PopAbove(horizontalStack, 1);
    } else if (name == "valign") {
        verticalStack.push_back(VerticalCode(argument));
    } else if (name == "/valign") {
        PopAbove(verticalStack, 1);
    }
}

void MarkupLayout::PlaceToken(MarkupToken& token, size_t index)
{
    tokenVertical[index] = verticalStack.back();
    bool dropSpace = token.kind == MarkupToken::kSpace && !lines.back().hasRoomTaken;
    if (lines.back().width + token.width > rect.width) {
        StartLine(token.font);
        dropSpace = token.kind == MarkupToken::kSpace;
    }
    Line& line = lines.back();
    line.hasTokens = true;
    line.height = std::max(line.height, token.height);
    token.x = line.width;
    if (dropSpace) {
        token.kind = MarkupToken::kDroppedSpace;
        return;
    }
    if (!line.hasRoomTaken) {
        line.alignment = horizontalStack.back();
    }
    line.hasRoomTaken = true;
    line.width += token.width;
}

void MarkupLayout::StartLine(const Font* font)
{
    Line line;
    line.emptyHeight = font ? font->GetLineHeight() : 0;
    line.alignment = horizontalStack.back();
    lines.push_back(line);
}

void MarkupLayout::PlaceLines(std::vector<MarkupToken>& tokens, size_t count)
{
    lineTop.resize(lines.size());
    int32_t y = rect.y;
    for (size_t i = 0; i < lines.size(); ++i) {
        lineTop[i] = y;
        y += lines[i].hasTokens ? lines[i].height : lines[i].emptyHeight;
    }
    for (size_t i = 0; i < count; ++i) {
        MarkupToken& token = tokens[i];
        const Line& line = lines[static_cast<size_t>(token.line)];
        token.x += rect.x + LineOffset(line);
        token.y = lineTop[static_cast<size_t>(token.line)] + VerticalOffset(tokenVertical[i], line.height, token.height);
    }
}

int32_t MarkupLayout::LineOffset(const Line& line) const
{
    switch (line.alignment) {
    case kAlignCenter:
        return (rect.width - line.width) / 2;
    case kAlignRight:
        return rect.width - line.width;
    default:
        return 0;
    }
}

int32_t MarkupLayout::VerticalOffset(int32_t code, int32_t lineHeight, int32_t tokenHeight)
{
    switch (code) {
    case kAlignCenter:
        return (lineHeight - tokenHeight) / 2;
    case kAlignBottom:
        return lineHeight - tokenHeight;
    default:
        return 0;
    }
}
