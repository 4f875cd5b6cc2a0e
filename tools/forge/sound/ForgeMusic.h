#pragma once

class ForgeOutput;

// Renders the title music, the level music and the forest ambience as seamless loops and
// writes them as Ogg Vorbis streams; false when one could not be encoded or written.
bool ForgeMusic(ForgeOutput& output);
