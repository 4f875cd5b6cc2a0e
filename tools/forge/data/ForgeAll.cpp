#include "data/ForgeAll.h"

#include "core/ForgeOutput.h"
#include "data/ForgeData.h"
#include "fonts/ForgeFonts.h"

bool ForgeAll(ForgeOutput& output)
{
    ForgeData(output);
    bool fontsMade = ForgeFonts(output);
    bool listsWritten = output.WriteLists();
    return fontsMade && listsWritten && !output.Failed();
}
