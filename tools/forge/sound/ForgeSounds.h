#pragma once

class ForgeOutput;

// Renders every sound effect, spoken call and piece of music of the game, and the sound
// lists that name them. False, with a message, when something could not be made (for
// example when the espeak-ng program that speaks the voices is missing).
bool ForgeSounds(ForgeOutput& output);
