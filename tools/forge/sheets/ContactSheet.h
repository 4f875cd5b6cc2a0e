#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Canvas.h"

// A review picture of one group: every frame on a light checkerboard with its label below,
// packed in rows; pictures larger than a screen are shown reduced.
class ContactSheet {
public:
    static constexpr int kMaxWidth = 1024;
    static constexpr int kMaxHeight = 768;
    static constexpr int kSheetWidth = 2048;

    static Canvas Compose(const std::vector<std::pair<std::string, Canvas>>& frames);
    // One "<group>.bmp" per group in dir; false when one could not be written.
    static bool WriteAll(const std::map<std::string, std::vector<std::pair<std::string, Canvas>>>& groups,
                         const std::filesystem::path& dir);
};
