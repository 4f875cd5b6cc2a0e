#pragma once

class ForgeOutput;

// Writes the item sprites (run-length strips, base at the bottom centre), the bomb with its
// thirteen-frame blast and its bang, and the antler, into the level's sprite list.
void ForgeItems(ForgeOutput& output);
