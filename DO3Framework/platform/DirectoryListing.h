#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

// The names of one directory by their lower-case spelling, read once and then kept up to date
// with the changes the system reports.
class DirectoryListing {
public:
    // False when path is no directory that can be read.
    bool Read(const std::string& path);
    void Add(const std::string& name);
    void Remove(const std::string& name);
    // The spelling of name without regard to letter case, the smallest of several; empty when
    // there is none.
    std::string Find(const std::string& name) const;
    // Letter case counts here.
    std::vector<std::string> NamesStartingWith(const std::string& prefix) const;

private:
    std::unordered_map<std::string, std::set<std::string>> spellings;
};
