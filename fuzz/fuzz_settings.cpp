#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/SettingsManager.h"
#include "settings/Tokenizer.h"
#include "support/FuzzTempFile.h"

namespace {

constexpr const char* kSettings = "settings.txt";
constexpr int kMaxQueriedLines = 16;

// Asks for the first word of a line as a key in every typed way, with and without the
// section that the file's first line could name.
void QueryKey(SettingsManager& settings, const std::string& key, const char* section)
{
    settings.GetInt(key, section);
    settings.GetBool(key, section);
    settings.GetString(key, section);
    settings.GetInt(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzTempFile::Write(kSettings, data, size);
    SettingsManager::Release();
    SettingsManager& settings = SettingsManager::Instance();
    if (!settings.LoadSettings(path)) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    std::string section;
    for (int line = 0; line < kMaxQueriedLines && start < text.size(); ++line) {
        size_t end = text.find('\n', start);
        Tokenizer tokens(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        std::string first = tokens.NextString();
        if (line == 0) {
            section = tokens.NextString();
        }
        QueryKey(settings, first, section.c_str());
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return 0;
}
