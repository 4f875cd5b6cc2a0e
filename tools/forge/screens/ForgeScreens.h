#pragma once

class ForgeOutput;

// Writes the loading screen, the menu backgrounds, the buttons, the cursor and the final
// screen, and registers them in the loading, shared and level sprite lists.
void ForgeScreens(ForgeOutput& output);
