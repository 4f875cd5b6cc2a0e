#pragma once

// Numbers of the game's level table that the menu buttons switch to.
namespace menulevel {

inline constexpr int kMainMenu = 0;
inline constexpr int kBoardGame = 1;
inline constexpr int kHighscores = 3;
inline constexpr int kCredits = 4;
inline constexpr int kExitScreen = 5;
inline constexpr int kHelp = 6;

}  // namespace menulevel
