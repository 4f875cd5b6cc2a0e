#pragma once

class ForgeOutput;

// Runs every generator of the data directory into output and writes the lists; false when
// anything could not be made or written.
bool ForgeAll(ForgeOutput& output);
