#include "platform/DirectoryListing.h"

#include <dirent.h>

namespace {

std::string ToLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

bool DirectoryListing::Read(const std::string& path)
{
    spellings.clear();
    DIR* directory = opendir(path.c_str());
    if (!directory) {
        return false;
    }
    while (const dirent* entry = readdir(directory)) {
        Add(entry->d_name);
    }
    closedir(directory);
    return true;
}

void DirectoryListing::Add(const std::string& name)
{
    spellings[ToLower(name)].insert(name);
}

void DirectoryListing::Remove(const std::string& name)
{
    auto found = spellings.find(ToLower(name));
    if (found != spellings.end() && found->second.erase(name) > 0 && found->second.empty()) {
        spellings.erase(found);
    }
}

std::string DirectoryListing::Find(const std::string& name) const
{
    auto found = spellings.find(ToLower(name));
    return found == spellings.end() ? std::string() : *found->second.begin();
}

std::vector<std::string> DirectoryListing::NamesStartingWith(const std::string& prefix) const
{
    std::vector<std::string> names;
    for (const auto& entry : spellings) {
        for (const std::string& name : entry.second) {
            if (name.starts_with(prefix)) {
                names.push_back(name);
            }
        }
    }
    return names;
}
