#pragma once

class ForgeOutput;

// Writes the board screen: "background", its masks and the three background animations, and
// registers them in the level's sprite list.
void ForgeBoard(ForgeOutput& output);
