#include "core/ForgeOutput.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

ForgeOutput::ForgeOutput(fs::path rootPath) : root(std::move(rootPath)) {}

fs::path ForgeOutput::DiskPath(const std::string& gamePath)
{
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
    return fs::path(path);
}

bool ForgeOutput::WriteBytes(const std::string& gamePath, const std::string& bytes)
{
    fs::path target = root / DiskPath(gamePath);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) {
        std::fprintf(stderr, "qmforge: cannot write %s\n", target.c_str());
        failed = true;
        return false;
    }
    return true;
}

bool ForgeOutput::WriteText(const std::string& gamePath, const std::string& text)
{
    if (text.find('\r') != std::string::npos) {
        std::fprintf(stderr, "qmforge: %s would contain a carriage return\n", gamePath.c_str());
        failed = true;
        return false;
    }
    return WriteBytes(gamePath, text);
}

void ForgeOutput::AddSpriteLine(const std::string& listPath, const std::string& line)
{
    spriteLists[listPath].push_back(line);
}

void ForgeOutput::AddSoundLine(const std::string& listPath, const std::string& line)
{
    soundLists[listPath].push_back(line);
}

bool ForgeOutput::WriteLists()
{
    bool ok = true;
    for (const auto* lists : {&spriteLists, &soundLists}) {
        for (const auto& [path, lines] : *lists) {
            std::string text;
            for (const std::string& line : lines) {
                text += line + "\n";
            }
            ok = WriteText(path, text) && ok;
        }
    }
    return ok;
}

void ForgeOutput::AddToSheet(const std::string& group, const std::string& label, const Canvas& picture)
{
    sheets[group].emplace_back(label, picture);
}
