#pragma once

#include <string>

// The text files of the data directory: German, Windows-1252, LF line ends, and only
// characters the game's fonts have.
namespace game_texts {

// "data\config.txt": the start-up keys.
const std::string& Config();
// "data\Level01\RoundEnd.txt": praise after a won round, one mark-up text per line.
const std::string& RoundEnd();
// "data\Level01\LevelEnd.txt": remarks at the end of a game, one per line.
const std::string& LevelEnd();
// "Data\Shared\Credits.txt": one plain line per credit line.
const std::string& Credits();
// "Data\Shared\QuitButtons.txt": link buttons of the exit screen ("label x y url" lines).
const std::string& QuitButtons();

}  // namespace game_texts
