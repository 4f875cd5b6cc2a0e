#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "util/Singleton.h"

// Answers typed look-ups in the loaded settings files (searched in load order, the first file
// that has a key wins). A value once read is cached per section and kind and never read again.
// The section argument may be null or empty for "no section": then a key is found anywhere.
class SettingsManager : public Singleton<SettingsManager> {
public:
    // A name loaded before (byte-wise equal) is not read again.
    bool LoadSettings(const std::string& fileName);

    // A key that no file has, or that has no value, is logged and yields 0, false or "".
    int GetInt(const std::string& key, const char* section = nullptr);
    bool GetBool(const std::string& key, const char* section = nullptr);
    std::string GetString(const std::string& key, const char* section = nullptr);

    bool FindSetting(const std::string& key, const char* section, std::string& line) const;

private:
    struct SectionCache {
        std::map<std::string, bool> bools;
        std::map<std::string, int> ints;
        std::map<std::string, std::string> strings;
    };

    SectionCache& CacheOf(const char* section);
    // The value token of key's line; false when the key is missing or has no value.
    bool FindValueToken(const std::string& key, const char* section, std::string& token) const;

    std::vector<std::unique_ptr<Settings>> files;
    std::map<std::string, SectionCache> cache;
};
