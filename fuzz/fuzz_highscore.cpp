#include <cstddef>
#include <cstdint>
#include <string>

#include "files/TextScrambler.h"
#include "frontend/HighscoreManager.h"
#include "support/FuzzScratchScope.h"
#include "support/FuzzTempFile.h"

// The input is the plain text of the highscore file; it is scrambled as the game stores it
// and loaded into the game's table and a second, shorter one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    TextScrambler::Scramble(text.data(), text.size());
    FuzzTempFile::Write("data/highscores.dat", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    FuzzScratchScope scratch;
    HighscoreManager::Release();
    HighscoreManager& highscores = HighscoreManager::Instance();
    highscores.SetUpGameTable();
    highscores.GetTable(2, 3);
    highscores.Load();
    return 0;
}
