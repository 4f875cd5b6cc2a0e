#include "frontend/QMHelpLevel.h"

#include "app/Debug.h"
#include "frontend/MenuLevelNumber.h"

bool QMHelpLevel::Init(GameState* owningGame)
{
    QMMenuLevel::Init(owningGame);
    Debug::Instance().Log("HelpLevel Init\n");
    SetBackground("HelpMenuBackground");
    AddLevelButton("MainMenuButton", 785, 680, kFlashTimeSeconds, menulevel::kMainMenu);
    return true;
}
