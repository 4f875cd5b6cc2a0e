#include "text/Font.h"

#include <algorithm>

#include "app/Debug.h"
#include "images/Image.h"
#include "images/ImageRect.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteInfo.h"
#include "sprites/SpriteLoaderUtil.h"
#include "sprites/SpriteManager.h"

namespace {

bool IsColumnEmpty(const Image& image, int x)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        if (image.GetPixel(x, y) != 0) {
            return false;
        }
    }
    return true;
}

bool IsRowEmpty(const Image& image, int y, int left, int right)
{
    for (int x = left; x <= right; ++x) {
        if (image.GetPixel(x, y) != 0) {
            return false;
        }
    }
    return true;
}

// Columns [left, end) of one glyph: up to the next empty column, but always at least two, and
// never past the picture's edge.
int GlyphEnd(const Image& image, int left)
{
    int end = left + 1;
    while (end < image.GetWidth() && !IsColumnEmpty(image, end)) {
        ++end;
    }
    return std::min(std::max(end, left + 2), image.GetWidth());
}

Glyph MeasureGlyph(const Image& image, int left, int end)
{
    Glyph glyph;
    glyph.left = left;
    glyph.right = end - 1;
    glyph.top = 0;
    while (glyph.top < image.GetHeight() - 1 && IsRowEmpty(image, glyph.top, left, glyph.right)) {
        ++glyph.top;
    }
    glyph.bottom = image.GetHeight() - 1;
    while (glyph.bottom > glyph.top && IsRowEmpty(image, glyph.bottom, left, glyph.right)) {
        --glyph.bottom;
    }
    glyph.yOffset = glyph.top;
    glyph.defined = true;
    return glyph;
}

}  // namespace

bool Font::Create(const std::string& fontName, const std::string& characterSet)
{
    name = fontName;
    spriteLabel = "Font_" + fontName;
    std::string picture = "data\\fonts\\" + fontName;
    std::unique_ptr<Image> image = SpriteLoaderUtil::Instance().LoadImage(picture, true);
    if (!image) {
        Debug::Instance().Error("Font::Create: Failed to load image <%s>!\n", picture.c_str());
        return false;
    }
    ScanGlyphs(*image, characterSet, picture);

    SpriteInfo info;
    info.label = spriteLabel;
    info.file = picture;
    info.type = SpriteInfo::kStatic;
    info.crop = false;
    SpriteManager& sprites = SpriteManager::Instance();
    sprites.AddSpriteInfo(info);
    sprite = sprites.GetSprite(spriteLabel);
    if (!sprite) {
        Debug::Instance().Error("Font::Create: Failed to load font <%s>!\n", fontName.c_str());
        return false;
    }
    return true;
}

void Font::ScanGlyphs(const Image& image, const std::string& characterSet, const std::string& pictureName)
{
    glyphs.fill(Glyph{});
    int repeats = 0;
    std::string repeated;
    size_t index = 0;
    int x = 0;
    while (x < image.GetWidth()) {
        if (IsColumnEmpty(image, x)) {
            ++x;
            continue;
        }
        int end = GlyphEnd(image, x);
        if (index >= characterSet.size()) {
            Debug::Instance().Warning("Font::Create: Too many chars(>%d) in the Font-Graphic <%s>!\n",
                                      static_cast<int>(index), pictureName.c_str());
            break;
        }
        Glyph& glyph = glyphs[static_cast<unsigned char>(characterSet[index])];
        if (glyph.defined) {
            ++repeats;
            if (repeated.find(characterSet[index]) == std::string::npos) {
                repeated += characterSet[index];
            }
        } else {
            glyph = MeasureGlyph(image, x, end);
        }
        ++index;
        x = end;
    }
    // Character sets fill unused cells with repeats: one line per font rather than one per cell.
    if (repeats > 0) {
        Debug::Instance().Warning(
            "Font::Create: %d characters double defined in the character-set of <%s> <%s>, each keeps its first "
            "glyph\n",
            repeats, pictureName.c_str(), repeated.c_str());
    }
}

const Glyph* Font::FindGlyph(unsigned char c) const
{
    const Glyph& glyph = glyphs[c];
    return glyph.defined ? &glyph : nullptr;
}

int Font::GetCharWidth(unsigned char c) const
{
    if (c == ' ') {
        return spaceWidth;
    }
    const Glyph* glyph = FindGlyph(c);
    return glyph ? spacing + glyph->right - glyph->left : 0;
}

int Font::GetTextWidth(std::string_view text) const
{
    int width = 0;
    for (char c : text) {
        width += GetCharWidth(static_cast<unsigned char>(c));
    }
    return width;
}

void Font::DrawText(int x, int y, std::string_view text) const
{
    for (char c : text) {
        unsigned char code = static_cast<unsigned char>(c);
        const Glyph* glyph = FindGlyph(code);
        if (glyph && sprite) {
            ImageRect rect{glyph->left, glyph->top, glyph->right, glyph->bottom};
            sprite->DrawRect(rect, x, y + glyph->yOffset, 0, kTextDepth);
        }
        x += GetCharWidth(code);
    }
}
