#pragma once

#include <string>

#include "util/Singleton.h"

// Creates the game's fonts and registers them with the text display under their names.
class FontLoaderUtil : public Singleton<FontLoaderUtil> {
public:
    // False when the font picture or its sprite could not be loaded; the font is not registered then.
    bool LoadFont(const std::string& name, int spaceWidth, int spacing, int lineHeight,
                  const std::string& characterSet);
};
