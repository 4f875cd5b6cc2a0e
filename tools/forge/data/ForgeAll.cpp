#include "data/ForgeAll.h"

#include "board/ForgeBoard.h"
#include "core/ForgeOutput.h"
#include "data/ForgeData.h"
#include "film/ForgeFilms.h"
#include "figures/ForgeFigures.h"
#include "fonts/ForgeFonts.h"
#include "items/ForgeItems.h"
#include "screens/ForgeScreens.h"
#include "sound/ForgeSounds.h"

bool ForgeAll(ForgeOutput& output)
{
    ForgeData(output);
    bool made = ForgeFonts(output);
    ForgeScreens(output);
    ForgeBoard(output);
    ForgeFigures(output);
    ForgeItems(output);
    // The films are made of the board's and the figures' pictures, so they come after them.
    made = ForgeFilms(output) && made;
    made = ForgeSounds(output) && made;
    bool listsWritten = output.WriteLists();
    return made && listsWritten && !output.Failed();
}
