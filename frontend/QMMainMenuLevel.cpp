#include "frontend/QMMainMenuLevel.h"

#include "app/Debug.h"
#include "frontend/HighscoreManager.h"
#include "frontend/MenuLevelNumber.h"

bool QMMainMenuLevel::Init(GameState* owningGame)
{
    QMMenuLevel::Init(owningGame);
    Debug::Instance().Log("MainMenu Init\n");
    // Whatever result was left is stale once the menu is built; a score of 0 would be offered
    // to a table that still has empty rows.
    HighscoreManager::Instance().SetResultScore(HighscoreManager::kNoResult);
    SetBackground("MainMenuBackground");
    AddLevelButton("StartGameButton", 25, 689, kFlashTimeSeconds, menulevel::kBoardGame);
    AddLevelButton("HelpButton", 262, 689, kFlashTimeSeconds, menulevel::kHelp);
    AddLevelButton("HighscoreButton", 496, 689, kFlashTimeSeconds, menulevel::kHighscores);
    AddLevelButton("QuitButton", 836, 690, kFlashTimeSeconds, menulevel::kExitScreen);
    Debug::Instance().Log("MainMenu Init Done\n");
    return true;
}
