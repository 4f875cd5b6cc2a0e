#include "data/ForgeAll.h"

#include "core/ForgeOutput.h"
#include "data/ForgeData.h"
#include "figures/ForgeFigures.h"
#include "fonts/ForgeFonts.h"
#include "sound/ForgeSounds.h"

bool ForgeAll(ForgeOutput& output)
{
    ForgeData(output);
    bool made = ForgeFonts(output);
    ForgeFigures(output);
    made = ForgeSounds(output) && made;
    bool listsWritten = output.WriteLists();
    return made && listsWritten && !output.Failed();
}
