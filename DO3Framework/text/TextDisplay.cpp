#include "text/TextDisplay.h"

#include "app/Debug.h"
#include "text/Font.h"
#include "text/MarkupTokenizer.h"

TextDisplay::TextDisplay() : layout([this](std::string_view name) { return FindFont(name); }) {}
TextDisplay::~TextDisplay() = default;

void TextDisplay::AddFont(std::unique_ptr<Font> font, const std::string& name)
{
    if (!font) {
        return;
    }
    std::unique_ptr<Font>& slot = fonts[name];
    const Font* replaced = slot.get();
    slot = std::move(font);
    // Nothing may keep pointing at a replaced font.
    if (currentFont == replaced || (!currentFont && name == kDefaultFontName)) {
        currentFont = slot.get();
    }
    for (const Font*& saved : fontStack) {
        if (saved == replaced && replaced) {
            saved = slot.get();
        }
    }
}

const Font* TextDisplay::FindFont(std::string_view name) const
{
    auto found = fonts.find(name);
    return found == fonts.end() ? nullptr : found->second.get();
}

bool TextDisplay::SetFont(std::string_view name)
{
    const Font* font = FindFont(name);
    if (!font) {
        Debug::Instance().Warning("TextDisplay::SetFont: Unknown font <%.*s>!\n", static_cast<int>(name.size()),
                                  name.data());
        return false;
    }
    currentFont = font;
    return true;
}

int TextDisplay::GetTextWidth(std::string_view fontName, std::string_view text) const
{
    const Font* font = FindFont(fontName);
    return font ? font->GetTextWidth(text) : 0;
}

int TextDisplay::GetTextWidth(std::string_view text) const
{
    return currentFont ? currentFont->GetTextWidth(text) : 0;
}

void TextDisplay::PushFont()
{
    fontStack.push_back(currentFont);
}

void TextDisplay::PopFont()
{
    if (fontStack.empty()) {
        Debug::Instance().Warning("TextDisplay::PopFont: No font pushed!\n");
        return;
    }
    currentFont = fontStack.back();
    fontStack.pop_back();
}

void TextDisplay::DrawText(int x, int y, std::string_view text) const
{
    if (currentFont) {
        currentFont->DrawText(x, y, text);
    }
}

size_t TextDisplay::Layout(std::string_view text)
{
    size_t count = MarkupTokenizer::Tokenize(text, tokens);
    layout.Arrange(tokens, count, currentFont, horizontalAlignment, verticalAlignment, rect);
    return count;
}

std::vector<MarkupToken> TextDisplay::LayoutMarkup(std::string_view text)
{
    size_t count = Layout(text);
    return std::vector<MarkupToken>(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(count));
}

void TextDisplay::DrawMarkup(std::string_view text)
{
    size_t count = Layout(text);
    for (size_t i = 0; i < count; ++i) {
        const MarkupToken& token = tokens[i];
        if (token.kind == MarkupToken::kWord && token.font) {
            token.font->DrawText(token.x, token.y, token.text);
        }
    }
}
