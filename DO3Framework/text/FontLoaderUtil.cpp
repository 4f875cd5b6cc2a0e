#include "text/FontLoaderUtil.h"

#include <memory>

#include "sprites/LoadingScreen.h"
#include "text/Font.h"
#include "text/TextDisplay.h"

namespace {
constexpr float kProgressPerFont = 0.01f;
}

bool FontLoaderUtil::LoadFont(const std::string& name, int spaceWidth, int spacing, int lineHeight,
                              const std::string& characterSet)
{
    auto font = std::make_unique<Font>();
    bool created = font->Create(name, characterSet);
    font->SetSpaceWidth(spaceWidth);
    font->SetSpacing(spacing);
    font->SetLineHeight(lineHeight);
    LoadingScreen::Instance().Advance(kProgressPerFont);
    if (!created) {
        return false;
    }
    TextDisplay::Instance().AddFont(std::move(font), name);
    return true;
}
