#include "screens/ForgeScreens.h"

#include <string>
#include <vector>

#include "board/BoardScene.h"
#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "paint/FrameStrip.h"
#include "screens/HelpScreen.h"
#include "screens/MenuButtons.h"
#include "screens/MenuScreens.h"

namespace {

constexpr const char* kLoadingList = "data\\shared\\loadingSprites.txt";
constexpr const char* kSharedList = "data\\shared\\sprites.txt";
constexpr const char* kSharedSprites = "data\\shared\\sprites\\";
constexpr const char* kLevelList = "data\\level01\\sprites.txt";
constexpr const char* kLevelSprites = "data\\level01\\sprites\\";

struct Target {
    const char* list;
    const char* directory;
};
constexpr Target kLoading{kLoadingList, kSharedSprites};
constexpr Target kShared{kSharedList, kSharedSprites};
constexpr Target kLevel{kLevelList, kLevelSprites};

void WriteStatic(ForgeOutput& output, const Target& target, const std::string& label, const Canvas& picture)
{
    output.WriteBytes(std::string(target.directory) + label + ".bmp", bmp::Encode24(picture));
    output.AddSpriteLine(target.list, label + " static " + label + " normx");
    output.AddToSheet("screens", label, picture);
}

void WriteAnim(ForgeOutput& output, const Target& target, const std::string& label, const std::vector<Canvas>& frames)
{
    Canvas strip = StackFrames(frames);
    output.WriteBytes(std::string(target.directory) + label + ".bmp", bmp::Encode24(strip));
    output.AddSpriteLine(target.list, label + " anim " + label + " normx " + std::to_string(frames.size()));
    output.AddToSheet("screens", label, strip);
}

struct ButtonSpec {
    const char* label;
    int width;
    int height;
    const char* caption;
};

// Sizes fit the places the menus put them: the main menu's row at y 689, the quit question's
// pair around x 512 at y 350, the return button at (785, 680).
constexpr ButtonSpec kButtons[] = {
    {"StartGameButton", 220, 70, "Spielen"},
    {"HelpButton", 220, 70, "Hilfe"},
    {"HighscoreButton", 240, 70, "Bestenliste"},
    {"QuitButton", 170, 70, "Beenden"},
    {"MainMenuButton", 220, 70, "Hauptmen\xFC"},
    {"yesButton", 179, 60, "Ja"},
    {"noButton", 179, 60, "Nein"},
};

}  // namespace

void ForgeScreens(ForgeOutput& output)
{
    screen_painting::Fonts fonts;
    BoardScene board;
    const Canvas& scene = board.Background();
    WriteStatic(output, kLoading, "loader_back", menu_screens::LoaderBack(scene, fonts));
    WriteAnim(output, kLoading, "loader_fenno", menu_screens::LoaderFenno(fonts));
    WriteStatic(output, kShared, "cursor", menu_buttons::Cursor());
    WriteStatic(output, kShared, "MainMenuBackground", menu_screens::MainMenu(scene, fonts));
    WriteStatic(output, kShared, "HelpMenuBackground", PaintHelpScreen(fonts));
    WriteStatic(output, kShared, "HighscoreBackground", menu_screens::Highscores(fonts));
    WriteStatic(output, kShared, "ExitScreen", menu_screens::Exit(scene, fonts));
    for (const ButtonSpec& button : kButtons) {
        WriteAnim(output, kShared, button.label,
                  menu_buttons::ButtonFrames(fonts, button.width, button.height, button.caption));
    }
    WriteStatic(output, kLevel, "GameOverScreen", menu_screens::GameOver(scene, fonts));
}
