#pragma once

#include <string>

// Where the editor's windows stood and how large they were, kept between runs in a small file
// of its own beside the configuration. A missing or unreadable file means the default layout.
class EditorLayoutFile {
public:
    static constexpr const char* kName = "data\\editor-windows.ini";
    // Larger is not a layout of a few windows: such a file is ignored.
    static constexpr int kMaxBytes = 256 * 1024;

    static std::string Read();
    // Replaces the file whole; a failure is only a warning (the layout is a convenience).
    static bool Write(const std::string& layout);
};
