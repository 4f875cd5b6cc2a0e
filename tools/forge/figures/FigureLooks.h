#pragma once

#include <string>

#include "figures/FigureLook.h"

// The cast: each dwarf by hood, beard and tunic; the knights in armour; the jester, the
// hunter and the queen.
namespace figure_looks {

// One of "fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"; an unknown name
// gets tabor's look.
FigureLook Dwarf(const std::string& name);
// "stumpf" or "scharf".
FigureLook Knight(const std::string& name);
FigureLook Jester();
FigureLook Hunter();
FigureLook Queen();

}  // namespace figure_looks
