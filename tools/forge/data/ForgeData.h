#pragma once

class ForgeOutput;

// The configuration, the settings file of the game objects and the German text files.
void ForgeData(ForgeOutput& output);
