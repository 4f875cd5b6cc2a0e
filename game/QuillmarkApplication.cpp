#include "game/QuillmarkApplication.h"

#include "app/MainProgram.h"
#include "settings/SettingsManager.h"

bool QuillmarkApplication::Init()
{
    std::string game = SettingsManager::Instance().GetString("startGameState");
    MainProgram::Instance().SetGame(game, -1);
    return true;
}

bool QuillmarkApplication::Exit()
{
    MainProgram::Instance().Shutdown();
    return true;
}

void QuillmarkApplication::Update(float dt)
{
    MainProgram::Instance().Update(dt);
}

void QuillmarkApplication::Render()
{
    MainProgram::Instance().Render();
}
