#pragma once

class ForgeOutput;

// Writes every figure of the board: the seven dwarfs and two knights in eight directions,
// their shared shadow, stars and hit flash, the dwarf icons, the jester, the hunter with his
// doors and bullet, and the queen.
void ForgeFigures(ForgeOutput& output);
