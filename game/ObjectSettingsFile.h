#pragma once

#include <ctime>
#include <functional>
#include <string>

class File;

// The settings file of the game objects in "data\shared\settings\": one block per Cast member,
// a comment line with its name, "OBJECT START" (an object the program creates) or
// "DYNAMIC OBJECT START" (an object the file creates by class name), then the member's
// parameter block as AsciiSerializer writes it.
class ObjectSettingsFile {
public:
    static constexpr const char* kDirectory = "data\\shared\\settings\\";
    static constexpr const char* kDefaultName = "settings.txt";

    // Called with the class name (without "class ") and the object name of each dynamic block.
    using ElementCreator = std::function<void(const std::string& className, const std::string& name)>;

    // Creates the dynamic objects first, then reads every block into the Cast member of its
    // name (blocks without a member are skipped; a name read twice takes both blocks in order).
    // The loading screen moves towards 0.9 meanwhile. False when the file does not open.
    static bool Load(const std::string& name, const ElementCreator& createElement);
    // Writes every Cast member in registration order. The file is replaced whole, once the new
    // one is complete; a copy of the old one is kept as a dated backup. Refused while an
    // archive is open, since the settings are then read from the archive.
    static bool Save(const std::string& name);

    // "settings2004-10-19 20-48-28.txt" for that local time.
    static std::string BackupName(const std::tm& localTime);

private:
    struct BlockHeader {
        bool dynamic = false;
        std::string classText;
        std::string objectName;
    };

    // Finds the next block start and reads its header; the file is left on the line after
    // the start line. False at the end of the file.
    static bool NextBlock(File& file, BlockHeader& header);
    static void CreateDynamicElements(File& file, const ElementCreator& createElement);
    static void ReadBlocks(File& file);
    static void WriteBlocks(File& file);
    static void KeepBackup(const std::string& path);
};
