#pragma once

#include <string>
#include <vector>

#include "fonts/FontStrip.h"

class ForgeOutput;

// One of the game's four fonts: its name as the game loads it, its character set and look.
struct GameFont {
    std::string name;
    const std::string* characterSet;
    FontStyle style;
};

const std::vector<GameFont>& GameFonts();

// Writes "data\fonts\<name>.bmp" and its alpha picture for every game font; false when a
// typeface is missing.
bool ForgeFonts(ForgeOutput& output);
