#include "files/TextFileLines.h"

#include "files/File.h"

namespace {

constexpr int kMaxLineCharacters = 999;

}  // namespace

bool ReadTextFileLines(const char* fileName, std::vector<std::string>& lines)
{
    File file;
    if (!file.Open(fileName, "r")) {
        return false;
    }
    char buffer[kMaxLineCharacters + 1];
    while (file.ReadLine(buffer, sizeof buffer)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return true;
}
