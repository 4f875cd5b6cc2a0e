#pragma once

#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <vector>

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
    // A block whose section does not close before the next block is logged and skipped.
    // The loading screen moves towards 0.9 meanwhile. False when the file does not open.
    static bool Load(const std::string& name, const ElementCreator& createElement);
    // Writes each Cast member's block where the file had it, copies the blocks of objects that
    // are not in the Cast unchanged, and appends the members the file lacked in registration
    // order. The file is replaced whole, once the new one is complete; a copy of the old one is
    // kept as a dated backup. An installed program keeps both in the user's own directory
    // (UserFileLocations), whose copy is then read first. Refused while an archive is open, since the settings are then
    // read from the archive, and when the old file cannot be read. Blocks of removedNames
    // (objects deleted or renamed since loading) are left out unless a member has the name.
    static bool Save(const std::string& name, const std::set<std::string>& removedNames = {});

    // "settings2004-10-19 20-48-28.txt" for that local time; a further backup within the same
    // second is copy 2, "settings2004-10-19 20-48-28 (2).txt", and so on.
    static std::string BackupName(const std::tm& localTime, int copy = 1);

private:
    // One block as positions in the file: from its comment line (when one stands right before
    // the start line) up to the next block or the end of the file.
    struct Block {
        int begin = 0;
        // The "class type" line, where a reader starts.
        int body = 0;
        int end = 0;
        // Of the start line, counted from 1.
        int line = 0;
        bool dynamic = false;
        std::string classText;
        std::string objectName;
        // Its section closes before the next block: a reader of a block cut short would take
        // the next block's lines for its own.
        bool whole = false;
    };

    // The blocks in file order; the file is left at its end.
    static std::vector<Block> ScanBlocks(File& file);
    static void CreateDynamicElements(const std::vector<Block>& blocks, const ElementCreator& createElement);
    static void ReadBlocks(File& file, const std::vector<Block>& blocks);
    static bool ReadOldFile(const std::string& path, std::string& text, std::vector<Block>& blocks);
    static void WriteBlocks(File& file, const std::string& oldText, const std::vector<Block>& oldBlocks,
                            const std::set<std::string>& removedNames);
    static void KeepBackup(const std::string& path);
};
