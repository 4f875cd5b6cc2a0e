#include "settings/Settings.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "app/Debug.h"
#include "files/File.h"
#include "settings/Tokenizer.h"

namespace {

constexpr int kMaxLineRead = 999;

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::toupper(c) : c);
    });
    return text;
}

// The file layer keeps a line's newline (a CR before it is already gone in text mode).
void RemoveLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
}

}  // namespace

Settings::Settings(std::string name) : fileName(std::move(name)) {}

bool Settings::Load()
{
    File file;
    if (!file.Open(fileName.c_str(), "r")) {
        Debug::Instance().Error("Settings::Load could not open file <%s>\n", fileName.c_str());
        return false;
    }
    // One spare byte: the terminator is forced there whatever the handler leaves behind.
    char buffer[kMaxLineRead + 1];
    while (!file.Eof()) {
        buffer[0] = '\0';
        if (!file.ReadLine(buffer, kMaxLineRead)) {
            break;
        }
        buffer[kMaxLineRead] = '\0';
        std::string line(buffer);
        RemoveLineEnd(line);
        lines.push_back(std::move(line));
    }
    file.Close();
    return true;
}

bool Settings::FindLine(const std::string& key, const char* section, std::string& line) const
{
    const bool sectionAsked = section && *section;
    const std::string wantedKey = UpperCase(key);
    const std::string wantedSection = sectionAsked ? UpperCase(section) : std::string();
    bool inSection = false;
    Tokenizer tokens;
    for (const std::string& candidate : lines) {
        if (candidate.empty() || candidate[0] == '#') {
            continue;
        }
        tokens.Tokenize(candidate);
        if (tokens.Count() == 0) {
            continue;
        }
        const std::string first = UpperCase(tokens.Token(0));
        if (first == "SECTION") {
            if (tokens.Count() < 2) {
                Debug::Instance().Error("Section defined without name\n");
            } else if (sectionAsked && UpperCase(tokens.Token(1)) == wantedSection) {
                inSection = true;
            }
        } else if (first == "ENDSECTION") {
            inSection = false;
        } else if ((!sectionAsked || inSection) && first == wantedKey) {
            line = candidate;
            return true;
        }
    }
    return false;
}
