#pragma once

#include <string>
#include <vector>

// One loaded key-value text file: its lines as read, without line ends. Sections open with
// "SECTION name" and close with "ENDSECTION"; keywords and keys ignore letter case.
class Settings {
public:
    explicit Settings(std::string fileName);

    // Reads every line of the file through the file layer; logs and fails when it cannot open it.
    bool Load();

    // Finds the first line whose key is key, inside section when one is given (null or empty:
    // anywhere in the file).
    bool FindLine(const std::string& key, const char* section, std::string& line) const;

    const std::string& FileName() const { return fileName; }
    const std::vector<std::string>& Lines() const { return lines; }

private:
    std::string fileName;
    std::vector<std::string> lines;
};
