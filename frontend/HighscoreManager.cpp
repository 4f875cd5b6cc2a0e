#include "frontend/HighscoreManager.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "app/Debug.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "files/TextScrambler.h"
#include "files/UserFileLocations.h"
#include "platform/PathResolver.h"

namespace fs = std::filesystem;

namespace {

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

// The unscrambled file; null when it was read, otherwise why not. Only a regular file is
// opened: a named pipe would block the start, a directory or a huge file stall it.
const char* ReadSavedFile(fs::file_type type, std::string& text)
{
    if (type != fs::file_type::regular) {
        return "is not a regular file";
    }
    File file;
    if (!file.OpenDisk(HighscoreManager::kFileName, "rb")) {
        return "cannot be opened";
    }
    int length = file.Length();
    if (length < 0 || length > HighscoreManager::kMaxFileBytes) {
        return "is too large";
    }
    text.resize(static_cast<size_t>(length));
    if (file.Read(text.data(), length) != length) {
        return "cannot be read";
    }
    TextScrambler::Unscramble(text.data(), text.size());
    return nullptr;
}

// Reads one line per entry of the table; false when the text ends first. Bad lines are
// skipped, leaving their place empty; they and an early end mark the file as damaged.
bool ReadTable(LineReader& lines, HighscoreTable& table, bool& damaged)
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
            damaged = true;
            continue;
        }
        std::string name;
        int32_t score = 0;
        if (const char* fault = ParseEntry(line, name, score)) {
            Debug::Instance().Warning("HighscoreManager::Load: Skipped line %d of <highscores.dat>: %s\n",
                                      lines.LineNumber(), fault);
            damaged = true;
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
    unreadFileOnDisk = false;
    std::error_code ignored;
    const std::string saved = UserFileLocations::Instance().ReadName(kFileName);
    const fs::file_type type = fs::status(platform::ResolvePath(saved), ignored).type();
    if (type == fs::file_type::not_found) {
        Debug::Instance().Log("HighscoreManager::Load: No saved table <highscores.dat>, keeping the defaults\n");
        return false;
    }
    std::string text;
    if (const char* fault = ReadSavedFile(type, text)) {
        Debug::Instance().Warning("HighscoreManager::Load: <highscores.dat> %s, keeping the defaults\n", fault);
        unreadFileOnDisk = true;
        return false;
    }
    return ReadTables(text);
}

bool HighscoreManager::ReadTables(const std::string& text)
{
    LineReader lines(text);
    std::string formatLine;
    int64_t format = 0;
    if (!lines.Next(formatLine) || !LeadingInteger(formatLine, format) || format != kFormatNumber) {
        Debug::Instance().Warning("HighscoreManager::Load: Unknown format in <highscores.dat>, keeping the table\n");
        unreadFileOnDisk = true;
        return false;
    }
    for (auto& entry : tables) {
        if (!ReadTable(lines, *entry.second, unreadFileOnDisk)) {
            break;
        }
    }
    return true;
}

bool HighscoreManager::Save()
{
    if (unreadFileOnDisk && !SetAsideUnreadFile()) {
        return false;
    }
    std::string bytes = PlainText();
    TextScrambler::Scramble(bytes.data(), bytes.size());
    return ReplacingFileWriter(kFileName, "HighscoreManager::Save").Write(bytes);
}

// What the player may still want from a file that did not load must not be saved over.
bool HighscoreManager::SetAsideUnreadFile()
{
    std::error_code error;
    const UserFileLocations& locations = UserFileLocations::Instance();
    fs::rename(platform::ResolvePath(locations.WriteName(kFileName)),
               platform::ResolvePath(locations.WriteName(kSetAsideName)), error);
    if (error && error != std::errc::no_such_file_or_directory) {
        Debug::Instance().Error("HighscoreManager::Save: Failed to move <highscores.dat>, which did not load, "
                                "aside to <highscores.dat.bad>; the table is not saved!\n");
        return false;
    }
    if (!error) {
        Debug::Instance().Warning("HighscoreManager::Save: Moved <highscores.dat>, which did not load, aside to "
                                  "<highscores.dat.bad>\n");
    }
    unreadFileOnDisk = false;
    return true;
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
