#include "settings/SettingsManager.h"

#include "app/Debug.h"
#include "settings/Tokenizer.h"

bool SettingsManager::LoadSettings(const std::string& fileName)
{
    for (const auto& loaded : files) {
        if (loaded->FileName() == fileName) {
            return true;
        }
    }
    auto settings = std::make_unique<Settings>(fileName);
    if (!settings->Load()) {
        Debug::Instance().Error("SettingsManager::LoadSettings: could not load settings <%s>\n", fileName.c_str());
        return false;
    }
    files.push_back(std::move(settings));
    return true;
}

bool SettingsManager::FindSetting(const std::string& key, const char* section, std::string& line) const
{
    for (const auto& settings : files) {
        if (settings->FindLine(key, section, line)) {
            return true;
        }
    }
    Debug::Instance().Warning("SettingsManager: Could not find setting <%s> in section <%s>\n", key.c_str(),
                              section ? section : "(null)");
    line.clear();
    return false;
}

SettingsManager::SectionCache& SettingsManager::CacheOf(const char* section)
{
    return cache[section ? section : ""];
}

bool SettingsManager::FindValueToken(const std::string& key, const char* section, std::string& token) const
{
    std::string line;
    if (!FindSetting(key, section, line)) {
        return false;
    }
    Tokenizer tokens(line);
    if (tokens.Count() < 2) {
        Debug::Instance().Warning("SettingsManager: Setting <%s> has no value\n", key.c_str());
        return false;
    }
    token = tokens.Token(1);
    return true;
}

// A key that is not found is not cached, so that a file loaded later can still provide it.
int SettingsManager::GetInt(const std::string& key, const char* section)
{
    auto& ints = CacheOf(section).ints;
    if (auto cached = ints.find(key); cached != ints.end()) {
        return cached->second;
    }
    std::string token;
    if (!FindValueToken(key, section, token)) {
        return 0;
    }
    return ints[key] = Tokenizer(token).NextInt();
}

bool SettingsManager::GetBool(const std::string& key, const char* section)
{
    auto& bools = CacheOf(section).bools;
    if (auto cached = bools.find(key); cached != bools.end()) {
        return cached->second;
    }
    std::string token;
    if (!FindValueToken(key, section, token)) {
        return false;
    }
    return bools[key] = Tokenizer(token).NextBool();
}

std::string SettingsManager::GetString(const std::string& key, const char* section)
{
    auto& strings = CacheOf(section).strings;
    if (auto cached = strings.find(key); cached != strings.end()) {
        return cached->second;
    }
    std::string token;
    if (!FindValueToken(key, section, token)) {
        return std::string();
    }
    return strings[key] = token;
}
