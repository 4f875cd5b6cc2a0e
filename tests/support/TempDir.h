#pragma once

#include <filesystem>
#include <string>

// A fresh directory for one test, made the working directory while it lives (the program
// names its files relative to the working directory) and removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // Writes bytes to a path relative to the directory ('/'-separated), creating folders.
    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::filesystem::path path;
    std::filesystem::path previous;
};
