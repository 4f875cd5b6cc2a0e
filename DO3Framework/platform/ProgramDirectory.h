#pragma once

#include <string>

namespace platform {

// The directory that holds the running program, ending in '/'; empty if it cannot be found.
std::string ProgramDirectory();

// Makes the program's directory the working directory, so that "data/" and the archive are
// found beside the program wherever it was started from.
bool ChangeToProgramDirectory();

}  // namespace platform
