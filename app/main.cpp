// The start function: install the crash handler, check the platform, read the configuration,
// then create and run the application.
#include <cstdio>

#include "app/AppConfig.h"
#include "crash/CrashHandler.h"
#include "crash/VersionProbe.h"
#include "files/DataFile.h"
#include "game/QuillmarkApplication.h"
#include "platform/MessageBox.h"
#include "platform/ProgramDirectory.h"
#include "settings/SettingsManager.h"

namespace {

constexpr int kRequiredVersion = 0x600;
// A start that failed must not read as success to whoever started the game.
constexpr int kStartFailedStatus = 1;
constexpr const char* kGameName = "Das Quillmark";

bool PlatformIsSufficient()
{
    int version = GetDirectXVersion();
    if (version >= kRequiredVersion) {
        return true;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "Das Spiel ben\xF6tigt DirectX 6 (oder h\xF6her). Derzeit ist nur DirectX Version %d installiert.",
                  version >> 8);
    platform::ShowMessageBox("ERROR", text);
    return false;
}

// A key missing from the configuration keeps its default instead of becoming 0.
void OverrideIfSet(int& field, int value)
{
    if (value > 0) {
        field = value;
    }
}

AppConfig ConfigFromSettings()
{
    SettingsManager& settings = SettingsManager::Instance();
    AppConfig config;
    OverrideIfSet(config.height, settings.GetInt("screenheight"));
    OverrideIfSet(config.width, settings.GetInt("screenwidth"));
    OverrideIfSet(config.depth, settings.GetInt("screendepth"));
    config.fullScreen = settings.GetBool("fullscreen");
    config.windowTitle = kGameName;
    config.className = kGameName;
    return config;
}

}  // namespace

int main()
{
    InstallCrashHandler();
    if (!PlatformIsSufficient()) {
        return -1;
    }
    platform::ChangeToProgramDirectory();
    DataFile::Instance().Open("datafile.dat");
    SettingsManager::Instance().LoadSettings("data\\config.txt");
    // The highscore table is read by the game, once, over the defaults it sets up first.

    QuillmarkApplication application;
    if (!application.Create(ConfigFromSettings())) {
        return kStartFailedStatus;
    }
    return application.Run();
}
