#include "game/ObjectSettingsFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "params/AsciiSerializer.h"
#include "params/Cast.h"
#include "platform/PathResolver.h"
#include "sprites/LoadingScreen.h"

namespace {

constexpr int kMaxLine = 999;
constexpr const char* kObjectStart = "OBJECT START";
constexpr const char* kDynamicStart = "DYNAMIC OBJECT START";
constexpr const char* kClassPrefix = "class ";
constexpr float kProgressEnd = 0.9f;

bool StartsWith(const char* line, const char* prefix)
{
    return std::strncmp(line, prefix, std::strlen(prefix)) == 0;
}

// The text between the first two double quotes; empty when there are not two.
std::string Quoted(const char* line)
{
    const char* open = std::strchr(line, '"');
    const char* close = open ? std::strchr(open + 1, '"') : nullptr;
    return close ? std::string(open + 1, close) : std::string();
}

std::string ReadHeaderLine(File& file)
{
    char line[kMaxLine];
    return file.ReadLine(line, kMaxLine) ? Quoted(line) : std::string();
}

int FileLength(File& file)
{
    file.Seek(0, SEEK_END);
    int length = file.Tell();
    file.Seek(0, SEEK_SET);
    return length;
}

std::filesystem::path DiskPath(const std::string& name)
{
    return platform::ResolvePath(name);
}

}  // namespace

bool ObjectSettingsFile::Load(const std::string& name, const ElementCreator& createElement)
{
    File file;
    if (!file.Open((kDirectory + name).c_str(), "r")) {
        Debug::Instance().Error("GameQuillmark::LoadSettings: Failed to open <%s>!\n", name.c_str());
        return false;
    }
    CreateDynamicElements(file, createElement);
    ReadBlocks(file);
    return true;
}

bool ObjectSettingsFile::NextBlock(File& file, BlockHeader& header)
{
    char line[kMaxLine];
    while (file.ReadLine(line, kMaxLine)) {
        header.dynamic = StartsWith(line, kDynamicStart);
        if (header.dynamic || StartsWith(line, kObjectStart)) {
            int blockPosition = file.Tell();
            header.classText = ReadHeaderLine(file);
            header.objectName = ReadHeaderLine(file);
            file.Seek(blockPosition, SEEK_SET);
            return true;
        }
    }
    return false;
}

void ObjectSettingsFile::CreateDynamicElements(File& file, const ElementCreator& createElement)
{
    BlockHeader header;
    while (NextBlock(file, header)) {
        if (header.dynamic && StartsWith(header.classText.c_str(), kClassPrefix)) {
            createElement(header.classText.substr(std::strlen(kClassPrefix)), header.objectName);
        }
    }
}

void ObjectSettingsFile::ReadBlocks(File& file)
{
    LoadingScreen& loadingScreen = LoadingScreen::Instance();
    const float progressStart = loadingScreen.GetProgress();
    const int length = FileLength(file);
    BlockHeader header;
    while (NextBlock(file, header)) {
        if (length > 0) {
            loadingScreen.Progress(progressStart + (kProgressEnd - progressStart) * static_cast<float>(file.Tell()) /
                                                       static_cast<float>(length));
        }
        Object* object = Cast::Instance().Find(header.objectName);
        if (object) {
            // The reader parses exactly this block and leaves the file behind it.
            AsciiSerializer reader(file, false);
            reader.SubObject(header.objectName, object);
        }
    }
}

bool ObjectSettingsFile::Save(const std::string& name)
{
    const std::string path = kDirectory + name;
    // With an archive the settings are read from it: a file saved beside it would never count.
    if (DataFile::Instance().IsAvailable()) {
        Debug::Instance().Error("GameQuillmark::SaveSettings: <%s> is read from the Datafile, not saved!\n",
                                path.c_str());
        return false;
    }
    KeepBackup(path);
    // Printing reports no errors; the writer's sync to the disk finds them.
    return ReplacingFileWriter(path, "GameQuillmark::SaveSettings").Write([](File& file) {
        WriteBlocks(file);
        return true;
    });
}

void ObjectSettingsFile::WriteBlocks(File& file)
{
    AsciiSerializer writer(file, true);
    for (const Cast::Member& member : Cast::Instance().Members()) {
        file.Print("# ------------------------------------------------ %s\n", member.name.c_str());
        file.Print(member.dynamic ? "DYNAMIC OBJECT START\n" : "OBJECT START\n");
        writer.SubObject(member.name, member.object);
    }
}

// A copy, so that the file itself is only ever replaced whole.
void ObjectSettingsFile::KeepBackup(const std::string& path)
{
    std::filesystem::path current = DiskPath(path);
    std::error_code error;
    if (!std::filesystem::exists(current, error)) {
        return;
    }
    std::time_t now = std::time(nullptr);
    std::tm localTime{};
    localtime_r(&now, &localTime);
    const std::string backup = kDirectory + BackupName(localTime);
    std::filesystem::copy_file(current, DiskPath(backup), std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        Debug::Instance().Warning("GameQuillmark::SaveSettings: Failed to keep <%s> as <%s>!\n", path.c_str(),
                                  backup.c_str());
    }
}

std::string ObjectSettingsFile::BackupName(const std::tm& localTime)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &localTime);
    return std::string("settings") + stamp + ".txt";
}
