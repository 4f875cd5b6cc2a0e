#include "data/ForgeData.h"

#include "core/ForgeOutput.h"
#include "data/GameTexts.h"
#include "data/SettingsFile.h"

void ForgeData(ForgeOutput& output)
{
    output.WriteText("data\\config.txt", game_texts::Config());
    output.WriteText("data\\shared\\settings\\settings.txt", SettingsFileText());
    output.WriteText("data\\Level01\\RoundEnd.txt", game_texts::RoundEnd());
    output.WriteText("data\\Level01\\LevelEnd.txt", game_texts::LevelEnd());
    output.WriteText("Data\\Shared\\Credits.txt", game_texts::Credits());
    output.WriteText("Data\\Shared\\QuitButtons.txt", game_texts::QuitButtons());
}
