#pragma once

#include <string>
#include <vector>

// Appends every line of a text file (through the archive or the disk) to lines, without line
// ends, each cut at 999 characters. False, with lines unchanged, when the file does not open.
bool ReadTextFileLines(const char* fileName, std::vector<std::string>& lines);
