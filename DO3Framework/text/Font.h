#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/Glyph.h"

class Image;
class Sprite;

// A bitmap font: one picture with the glyphs side by side, separated by empty (black) columns,
// and a character set naming the glyphs in order. Strings are drawn glyph by glyph through
// the font's sprite, queued at the text depth.
class Font {
public:
    static constexpr float kTextDepth = 10.0f;

    // Loads "data\fonts\<name>", finds the glyphs and registers the picture as the sprite
    // "Font_<name>". False (and a log line) when the picture or the sprite cannot be had.
    bool Create(const std::string& name, const std::string& characterSet);
    // Finds the glyphs of a prepared font picture; pictureName only goes into log lines.
    void ScanGlyphs(const Image& image, const std::string& characterSet, const std::string& pictureName);

    int GetCharWidth(unsigned char c) const;
    int GetTextWidth(std::string_view text) const;
    void DrawText(int x, int y, std::string_view text) const;

    // Null when the character has no glyph.
    const Glyph* FindGlyph(unsigned char c) const;
    const std::string& GetName() const { return name; }
    const std::string& GetSpriteLabel() const { return spriteLabel; }

    int GetSpaceWidth() const { return spaceWidth; }
    int GetSpacing() const { return spacing; }
    int GetLineHeight() const { return lineHeight; }
    void SetSpaceWidth(int width) { spaceWidth = width; }
    void SetSpacing(int pixels) { spacing = pixels; }
    void SetLineHeight(int height) { lineHeight = height; }

private:
    std::string spriteLabel;
    Sprite* sprite = nullptr;
    std::string name;
    std::array<Glyph, 256> glyphs{};
    int spaceWidth = 10;
    int spacing = 0;
    int lineHeight = 20;
};
