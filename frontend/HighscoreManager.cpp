#include "frontend/HighscoreManager.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/Debug.h"
#include "files/File.h"
#include "files/TextScrambler.h"
#include "platform/DiskSync.h"
#include "platform/PathResolver.h"

namespace {

// The new file is written beside the old one and renamed over it when complete.
constexpr const char* kTemporarySuffix = ".tmp";
constexpr const char* kNameLabel = "name:";
constexpr size_t kMaxLineLength = 199;
// Far beyond what any game can score; a larger number means a damaged line.
constexpr int64_t kMaxPlausibleScore = 99999999;

// Hands out the lines of a text one at a time. A line never reaches past its newline or the
// end of the text; an over-long line is cut, and its rest does not become a line of its own.
class LineReader {
public:
    explicit LineReader(const std::string& whole) : text(whole) {}

    bool Next(std::string& line)
    {
        if (position >= text.size()) {
            return false;
        }
        size_t end = std::min(text.find('\n', position), text.size());
        size_t length = end - position;
        if (length > 0 && text[end - 1] == '\r') {
            --length;
        }
        line.assign(text, position, std::min(length, kMaxLineLength));
        position = end + 1;
        ++lineNumber;
        return true;
    }

    int LineNumber() const { return lineNumber; }

private:
    const std::string& text;
    size_t position = 0;
    int lineNumber = 0;
};

// The integer at the start of the line, as a C reader of "%d" would take it.
bool LeadingInteger(const std::string& line, int64_t& value)
{
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return false;
    }
    auto result = std::from_chars(line.data() + start, line.data() + line.size(), value);
    return result.ec == std::errc{};
}

// Null for a good entry line, otherwise why it is not one.
const char* ParseEntry(const std::string& line, std::string& name, int32_t& score)
{
    int64_t value = 0;
    if (!LeadingInteger(line, value)) {
        return "no score";
    }
    if (value < 0 || value > kMaxPlausibleScore) {
        return "score out of range";
    }
    size_t label = line.find(kNameLabel);
    if (label == std::string::npos) {
        return "no name";
    }
    name = line.substr(label + std::char_traits<char>::length(kNameLabel));
    score = static_cast<int32_t>(value);
    return nullptr;
}

bool ReadWholeFile(File& file, std::string& bytes)
{
    int length = file.Length();
    if (length < 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    return file.Read(bytes.data(), length) == length;
}

// Reads one line per entry of the table; false when the text ends first. Bad lines are
// skipped, leaving their place empty.
bool ReadTable(LineReader& lines, HighscoreTable& table)
{
    table.Clear();
    std::vector<std::pair<std::string, int32_t>> entries;
    std::string line;
    bool complete = true;
    for (int rank = 0; rank < table.Size() && complete; ++rank) {
        if (!lines.Next(line)) {
            Debug::Instance().Warning("HighscoreManager::Load: <highscores.dat> ends after line %d\n",
                                      lines.LineNumber());
            complete = false;
            continue;
        }
        std::string name;
        int32_t score = 0;
        if (const char* fault = ParseEntry(line, name, score)) {
            Debug::Instance().Warning("HighscoreManager::Load: Skipped line %d of <highscores.dat>: %s\n",
                                      lines.LineNumber(), fault);
            continue;
        }
        entries.emplace_back(name, score);
    }
    // An entry goes above equal scores: the last line first keeps equal rows in file order.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        table.Insert(entry->first, entry->second);
    }
    return complete;
}

void Discard(const std::string& name)
{
    std::error_code ignored;
    std::filesystem::remove(platform::ResolvePath(name), ignored);
}

}  // namespace

HighscoreTable& HighscoreManager::GetTable(int id, int size)
{
    std::unique_ptr<HighscoreTable>& table = tables[id];
    if (!table) {
        table = std::make_unique<HighscoreTable>(size);
    }
    return *table;
}

void HighscoreManager::SetUpGameTable()
{
    struct Default {
        const char* name;
        int32_t score;
    };
    static constexpr Default kDefaults[] = {
        {"Hedda", 400}, {"Gorm", 300}, {"Fenja", 250}, {"Emrik", 200},
        {"Dalia", 150}, {"Cedro", 100}, {"Brina", 80},  {"Arlo", 50},
    };
    HighscoreTable& table = GetTable(kGameTableId, kGameTableSize);
    table.Clear();
    for (const Default& entry : kDefaults) {
        table.Insert(entry.name, entry.score);
    }
}

bool HighscoreManager::Load()
{
    File file;
    std::string text;
    if (!file.OpenMem(kFileName, "rb") || !ReadWholeFile(file, text)) {
        Debug::Instance().Log("HighscoreManager::Load: No saved table <highscores.dat>, keeping the defaults\n");
        return false;
    }
    LineReader lines(text);
    std::string formatLine;
    int64_t format = 0;
    if (!lines.Next(formatLine) || !LeadingInteger(formatLine, format) || format != kFormatNumber) {
        Debug::Instance().Warning("HighscoreManager::Load: Unknown format in <highscores.dat>, keeping the table\n");
        return false;
    }
    for (auto& entry : tables) {
        if (!ReadTable(lines, *entry.second)) {
            break;
        }
    }
    return true;
}

bool HighscoreManager::Save()
{
    std::string bytes = PlainText();
    TextScrambler::Scramble(bytes.data(), bytes.size());
    return WriteComplete(bytes);
}

std::string HighscoreManager::PlainText() const
{
    std::string text = std::to_string(kFormatNumber) + "\n";
    for (const auto& [id, table] : tables) {
        for (int rank = 0; rank < table->Size(); ++rank) {
            text += std::to_string(table->Score(rank)) + " " + kNameLabel + table->Name(rank) + "\n";
        }
    }
    return text;
}

bool HighscoreManager::WriteComplete(const std::string& bytes)
{
    const std::string temporary = std::string(kFileName) + kTemporarySuffix;
    File file;
    if (!file.OpenDisk(temporary.c_str(), "wb")) {
        Debug::Instance().Error("HighscoreManager::Save: Failed to open <highscores.dat>!\n");
        return false;
    }
    int size = static_cast<int>(bytes.size());
    bool written = file.Write(bytes.data(), size) == size && platform::SyncToDisk(file.Handle());
    file.Close();
    if (!written) {
        Discard(temporary);
        Debug::Instance().Error("HighscoreManager::Save: Failed to write <highscores.dat>!\n");
        return false;
    }
    std::error_code error;
    std::filesystem::rename(platform::ResolvePath(temporary), platform::ResolvePath(kFileName), error);
    if (error) {
        Discard(temporary);
        Debug::Instance().Error("HighscoreManager::Save: Failed to replace <highscores.dat>!\n");
        return false;
    }
    return true;
}
