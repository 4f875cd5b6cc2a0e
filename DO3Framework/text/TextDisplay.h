#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/MarkupLayout.h"
#include "text/MarkupToken.h"
#include "text/TextAlignment.h"
#include "text/TextRect.h"
#include "util/Singleton.h"

class Font;

// The process-wide text renderer: knows every font by name, draws plain strings in the current
// font and lays out mark-up (font changes, alignment, line breaks) inside a rectangle. Mark-up
// is laid out in working lists that keep their storage, so drawing text every frame does not
// allocate once the longest text has been seen.
class TextDisplay : public Singleton<TextDisplay> {
public:
    static constexpr const char* kDefaultFontName = "default";

    TextDisplay();
    ~TextDisplay() override;

    // Takes the font; a font of that name is replaced. The first "default" font becomes current.
    void AddFont(std::unique_ptr<Font> font, const std::string& name);
    // Null when no font has that name.
    const Font* FindFont(std::string_view name) const;
    // False (current font unchanged) for an unknown name.
    bool SetFont(std::string_view name);
    const Font* GetFont() const { return currentFont; }
    int GetTextWidth(std::string_view fontName, std::string_view text) const;
    int GetTextWidth(std::string_view text) const;

    void SetRect(int x, int y, int width, int height) { rect = TextRect{x, y, width, height}; }
    const TextRect& GetRect() const { return rect; }
    void SetHorizontalAlignment(int32_t code) { horizontalAlignment = code; }
    void SetVerticalAlignment(int32_t code) { verticalAlignment = code; }
    int32_t GetHorizontalAlignment() const { return horizontalAlignment; }
    int32_t GetVerticalAlignment() const { return verticalAlignment; }

    // Only the font is saved; rectangle and alignments keep what was set last.
    void PushFont();
    void PopFont();

    void DrawText(int x, int y, std::string_view text) const;
    void DrawMarkup(std::string_view text);
    // The tokens DrawMarkup draws, laid out in the current rectangle.
    std::vector<MarkupToken> LayoutMarkup(std::string_view text);

private:
    // Lays out text into the working list; the first count tokens are valid afterwards.
    size_t Layout(std::string_view text);

    const Font* currentFont = nullptr;
    std::vector<const Font*> fontStack;
    int32_t horizontalAlignment = kAlignLeft;
    int32_t verticalAlignment = kAlignTop;
    TextRect rect;
    std::map<std::string, std::unique_ptr<Font>, std::less<>> fonts;
    std::vector<MarkupToken> tokens;
    MarkupLayout layout;
};
