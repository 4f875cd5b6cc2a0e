#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/Canvas.h"

// Everything the forge writes goes through here. Paths are given as the game asks for them
// ("data\\level01\\sprites\\fenno_run_N.bmp") and written in lower case with slashes, so one
// directory never exists in two spellings; the engine resolves letter case when it reads.
class ForgeOutput {
public:
    explicit ForgeOutput(std::filesystem::path root);

    bool WriteBytes(const std::string& gamePath, const std::string& bytes);
    // Text files are Windows-1252 with LF line ends; a CR is a forge bug and is refused.
    bool WriteText(const std::string& gamePath, const std::string& text);

    // Collects the lines of a sprite list ("data\\shared\\sprites.txt", ...); WriteLists writes them.
    void AddSpriteLine(const std::string& listPath, const std::string& line);
    // Collects the lines of a sound list ("data\\shared\\sfx.txt", ...).
    void AddSoundLine(const std::string& listPath, const std::string& line);
    bool WriteLists();

    // Pictures for the review sheets (qmforge --sheets), by group ("fenno", "knights", ...).
    void AddToSheet(const std::string& group, const std::string& label, const Canvas& picture);
    const std::map<std::string, std::vector<std::pair<std::string, Canvas>>>& Sheets() const { return sheets; }

    static std::filesystem::path DiskPath(const std::string& gamePath);
    bool Failed() const { return failed; }

private:
    std::filesystem::path root;
    std::map<std::string, std::vector<std::string>> spriteLists;
    std::map<std::string, std::vector<std::string>> soundLists;
    std::map<std::string, std::vector<std::pair<std::string, Canvas>>> sheets;
    bool failed = false;
};
