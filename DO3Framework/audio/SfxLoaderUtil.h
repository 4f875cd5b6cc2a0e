#pragma once

#include <string>

// Reads a sound-effect list: lines "event file" load the file (once per file, shared by every
// event that names it) and define the event; "#" starts a comment, event "none" only loads.
class SfxLoaderUtil {
public:
    static bool LoadSoundEffects(const std::string& listFile, const std::string& directory);

private:
    static void LoadLine(const std::string& line, const std::string& directory);
};
