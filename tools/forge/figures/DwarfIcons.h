#pragma once

class ForgeOutput;

// The status panel's portraits, name + "_icon": static 80 x 80 pictures of each dwarf's head
// and shoulders in a wooden frame.
void ForgeDwarfIcons(ForgeOutput& output, const char* listPath, const char* directory);
