#include "text/TextDisplay.h"

#include "app/Debug.h"
#include "text/Font.h"
#include "text/MarkupLayout.h"
#include "text/MarkupTokenizer.h"

TextDisplay::TextDisplay() = default;
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

const Font* TextDisplay::FindFont(const std::string& name) const
{
    auto found = fonts.find(name);
    return found == fonts.end() ? nullptr : found->second.get();
}

bool TextDisplay::SetFont(const std::string& name)
{
    const Font* font = FindFont(name);
    if (!font) {
        Debug::Instance().Warning("TextDisplay::SetFont: Unknown font <%s>!\n", name.c_str());
        return false;
    }
    currentFont = font;
    return true;
}

int TextDisplay::GetTextWidth(const std::string& fontName, std::string_view text) const
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

std::vector<MarkupToken> TextDisplay::LayoutMarkup(std::string_view text) const
{
    std::vector<MarkupToken> tokens = MarkupTokenizer::Tokenize(text);
    MarkupLayout layout([this](const std::string& name) { return FindFont(name); }, currentFont,
                        horizontalAlignment, verticalAlignment, rect);
    layout.Arrange(tokens);
    return tokens;
}

void TextDisplay::DrawMarkup(std::string_view text) const
{
    for (const MarkupToken& token : LayoutMarkup(text)) {
        if (token.kind == MarkupToken::kWord && token.font) {
            token.font->DrawText(token.x, token.y, token.text);
        }
    }
}
