#include "frontend/ChangeLevelAction.h"

#include "app/Debug.h"
#include "app/GameState.h"

ChangeLevelAction::ChangeLevelAction(int targetLevel, GameState* owningGame)
    : level(targetLevel), game(owningGame)
{
}

void ChangeLevelAction::Execute()
{
    if (!game) {
        Debug::Instance().Error("ChangeLevelAction::Execute: No game to switch to level %d\n", level);
        return;
    }
    game->Init(level);
}
