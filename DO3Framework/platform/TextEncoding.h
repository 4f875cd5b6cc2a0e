#pragma once

#include <string>

// The game's strings are Windows-1252; SDL speaks UTF-8.
namespace platform {

std::string Utf8FromCp1252(const std::string& text);
// Characters that Windows-1252 cannot hold become '?'.
std::string Cp1252FromUtf8(const std::string& text);

}  // namespace platform
