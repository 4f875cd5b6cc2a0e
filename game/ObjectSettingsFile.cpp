#include "game/ObjectSettingsFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "files/UserFileLocations.h"
#include "params/AsciiSerializer.h"
#include "params/Cast.h"
#include "platform/PathResolver.h"
#include "sprites/LoadingScreen.h"

namespace {

constexpr int kMaxLine = 999;
constexpr const char* kObjectStart = "OBJECT START";
constexpr const char* kDynamicStart = "DYNAMIC OBJECT START";
constexpr const char* kClassPrefix = "class ";
constexpr const char* kCommentStart = "#";
constexpr float kProgressEnd = 0.9f;

// One line as ReadLine gives it, and where it starts in the file.
struct Line {
    int position = 0;
    std::string text;
};

bool StartsWith(const std::string& line, const char* prefix)
{
    return line.compare(0, std::strlen(prefix), prefix) == 0;
}

// The indices of the lines that start a block.
std::vector<size_t> BlockStarts(const std::vector<Line>& lines)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (StartsWith(lines[i].text, kObjectStart) || StartsWith(lines[i].text, kDynamicStart)) {
            starts.push_back(i);
        }
    }
    return starts;
}

// The text between the first two double quotes; empty when there are not two.
std::string Quoted(const std::string& line)
{
    size_t open = line.find('"');
    size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    return close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

// The quoted text of line index, when it lies before the line next.
std::string QuotedBefore(const std::vector<Line>& lines, size_t index, size_t next)
{
    return index < next ? Quoted(lines[index].text) : std::string();
}

std::vector<Line> ReadLines(File& file, int& end)
{
    std::vector<Line> lines;
    char text[kMaxLine];
    for (int position = file.Tell(); file.ReadLine(text, kMaxLine); position = file.Tell()) {
        lines.push_back(Line{position, text});
    }
    end = file.Tell();
    return lines;
}

// Counted as the reader parses: leading spaces skipped, '[' opens a section, '}' closes one.
bool SectionCloses(const std::vector<Line>& lines, size_t from, size_t to)
{
    int depth = 0;
    for (size_t i = from; i < to; ++i) {
        const std::string& text = lines[i].text;
        size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) {
            continue;
        }
        if (text[first] == '[') {
            ++depth;
        } else if (text[first] == '}' && depth > 0 && --depth == 0) {
            return true;
        }
    }
    return false;
}

// Where the file to read lies: the user's own copy when there is one.
std::filesystem::path ReadPath(const std::string& name)
{
    return platform::ResolvePath(UserFileLocations::Instance().ReadName(name));
}

std::filesystem::path WritePath(const std::string& name)
{
    return platform::ResolvePath(UserFileLocations::Instance().WriteName(name));
}

// Copies text[begin, end) and ends it with a newline, so that a block written after the last
// line of an old file does not run into it.
void CopyText(File& file, const std::string& text, int begin, int end)
{
    if (end <= begin) {
        return;
    }
    file.Write(text.data() + begin, end - begin);
    if (text[static_cast<size_t>(end) - 1] != '\n') {
        file.Write("\n", 1);
    }
}

const Cast::Member* MemberNamed(const std::string& name)
{
    const std::vector<Cast::Member>& members = Cast::Instance().Members();
    auto member = std::find_if(members.begin(), members.end(),
                               [&name](const Cast::Member& candidate) { return candidate.name == name; });
    return member == members.end() ? nullptr : &*member;
}

void WriteMember(File& file, AsciiSerializer& writer, const Cast::Member& member)
{
    file.Print("# ------------------------------------------------ %s\n", member.name.c_str());
    file.Print(member.dynamic ? "DYNAMIC OBJECT START\n" : "OBJECT START\n");
    writer.SubObject(member.name, member.object);
}

std::tm LocalTimeNow()
{
    std::time_t now = std::time(nullptr);
    std::tm localTime{};
    localtime_r(&now, &localTime);
    return localTime;
}

}  // namespace

bool ObjectSettingsFile::Load(const std::string& name, const ElementCreator& createElement)
{
    File file;
    if (!file.Open((kDirectory + name).c_str(), "r")) {
        Debug::Instance().Error("GameQuillmark::LoadSettings: Failed to open <%s>!\n", name.c_str());
        return false;
    }
    const std::vector<Block> blocks = ScanBlocks(file);
    CreateDynamicElements(blocks, createElement);
    ReadBlocks(file, blocks);
    return true;
}

std::vector<ObjectSettingsFile::Block> ObjectSettingsFile::ScanBlocks(File& file)
{
    int end = 0;
    const std::vector<Line> lines = ReadLines(file, end);
    const std::vector<size_t> starts = BlockStarts(lines);
    std::vector<Block> blocks(starts.size());
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t start = starts[k];
        const size_t next = k + 1 < starts.size() ? starts[k + 1] : lines.size();
        Block& block = blocks[k];
        const bool commented = start > 0 && StartsWith(lines[start - 1].text, kCommentStart);
        block.begin = lines[commented ? start - 1 : start].position;
        block.body = start + 1 < lines.size() ? lines[start + 1].position : end;
        block.line = static_cast<int>(start) + 1;
        block.dynamic = StartsWith(lines[start].text, kDynamicStart);
        block.classText = QuotedBefore(lines, start + 1, next);
        block.objectName = QuotedBefore(lines, start + 2, next);
        block.whole = SectionCloses(lines, start + 1, next);
        block.end = end;
        if (k > 0) {
            blocks[k - 1].end = block.begin;
        }
    }
    return blocks;
}

void ObjectSettingsFile::CreateDynamicElements(const std::vector<Block>& blocks, const ElementCreator& createElement)
{
    for (const Block& block : blocks) {
        if (block.whole && block.dynamic && StartsWith(block.classText, kClassPrefix)) {
            createElement(block.classText.substr(std::strlen(kClassPrefix)), block.objectName);
        }
    }
}

void ObjectSettingsFile::ReadBlocks(File& file, const std::vector<Block>& blocks)
{
    LoadingScreen& loadingScreen = LoadingScreen::Instance();
    const float progressStart = loadingScreen.GetProgress();
    const int length = blocks.empty() ? 0 : blocks.back().end;
    for (const Block& block : blocks) {
        if (length > 0) {
            loadingScreen.Progress(progressStart + (kProgressEnd - progressStart) * static_cast<float>(block.body) /
                                                       static_cast<float>(length));
        }
        if (!block.whole) {
            Debug::Instance().Warning("GameQuillmark::LoadSettings: Block <%s> in line %d is cut short, skipped\n",
                                      block.objectName.c_str(), block.line);
            continue;
        }
        Object* object = Cast::Instance().Find(block.objectName);
        if (object) {
            file.Seek(block.body, SEEK_SET);
            AsciiSerializer reader(file, false);
            reader.SubObject(block.objectName, object);
        }
    }
}

bool ObjectSettingsFile::Save(const std::string& name, const std::set<std::string>& removedNames)
{
    const std::string path = kDirectory + name;
    // With an archive the settings are read from it: a file saved beside it would never count.
    if (DataFile::Instance().IsAvailable()) {
        Debug::Instance().Error("GameQuillmark::SaveSettings: <%s> is read from the Datafile, not saved!\n",
                                path.c_str());
        return false;
    }
    std::string oldText;
    std::vector<Block> oldBlocks;
    std::error_code error;
    if (std::filesystem::exists(ReadPath(path), error)) {
        if (!ReadOldFile(path, oldText, oldBlocks)) {
            return false;
        }
        KeepBackup(path);
    }
    // Printing reports no errors; the writer's sync to the disk finds them.
    return ReplacingFileWriter(path, "GameQuillmark::SaveSettings").Write([&](File& file) {
        WriteBlocks(file, oldText, oldBlocks, removedNames);
        return true;
    });
}

// Byte for byte: the blocks of objects that are not in the Cast are written back as they are.
// A file that cannot be read would take them with it, so the save stops there.
bool ObjectSettingsFile::ReadOldFile(const std::string& path, std::string& text, std::vector<Block>& blocks)
{
    File file;
    if (!file.OpenDisk(path.c_str(), "rb")) {
        Debug::Instance().Error("GameQuillmark::SaveSettings: Failed to read <%s>!\n", path.c_str());
        return false;
    }
    blocks = ScanBlocks(file);
    text.resize(static_cast<size_t>(std::max(file.Tell(), 0)));
    file.Seek(0, SEEK_SET);
    text.resize(static_cast<size_t>(std::max(file.Read(text.data(), static_cast<int>(text.size())), 0)));
    return true;
}

void ObjectSettingsFile::WriteBlocks(File& file, const std::string& oldText, const std::vector<Block>& oldBlocks,
                                     const std::set<std::string>& removedNames)
{
    AsciiSerializer writer(file, true);
    std::set<std::string> written;
    CopyText(file, oldText, 0, oldBlocks.empty() ? static_cast<int>(oldText.size()) : oldBlocks.front().begin);
    // A member is written at its first block: a later block of its name was read into it too.
    for (const Block& block : oldBlocks) {
        const Cast::Member* member = MemberNamed(block.objectName);
        if (!member && !removedNames.count(block.objectName)) {
            CopyText(file, oldText, block.begin, block.end);
        } else if (member && written.insert(member->name).second) {
            WriteMember(file, writer, *member);
        }
    }
    for (const Cast::Member& member : Cast::Instance().Members()) {
        if (written.insert(member.name).second) {
            WriteMember(file, writer, member);
        }
    }
}

// A copy, so that the file itself is only ever replaced whole. An earlier backup of the same
// second is never replaced: it may be the only copy of the file as it was before saving began.
void ObjectSettingsFile::KeepBackup(const std::string& path)
{
    const std::filesystem::path current = ReadPath(path);
    const std::tm localTime = LocalTimeNow();
    for (int copy = 1;; ++copy) {
        const std::string backup = kDirectory + BackupName(localTime, copy);
        std::error_code error;
        if (std::filesystem::copy_file(current, WritePath(backup), std::filesystem::copy_options::none, error)) {
            return;
        }
        if (error != std::errc::file_exists) {
            Debug::Instance().Warning("GameQuillmark::SaveSettings: Failed to keep <%s> as <%s>!\n", path.c_str(),
                                      backup.c_str());
            return;
        }
    }
}

std::string ObjectSettingsFile::BackupName(const std::tm& localTime, int copy)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &localTime);
    const std::string number = copy > 1 ? " (" + std::to_string(copy) + ")" : std::string();
    return std::string("settings") + stamp + number + ".txt";
}
