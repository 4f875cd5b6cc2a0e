#pragma once

#include <string>

namespace platform {

// Opens a web address in the user's browser; never through a shell command line.
bool OpenURL(const std::string& address);

}  // namespace platform
