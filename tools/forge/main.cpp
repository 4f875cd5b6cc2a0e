// qmforge DIR: writes the game's data directory below DIR, the same bytes on every run.
#include <cstdio>

#include "core/ForgeOutput.h"

namespace {

// Start-up keys of the program; the game's own keys follow as the game grows.
constexpr const char* kConfig =
    "# Das Quillmark - Konfiguration\n"
    "# Anzeige: Breite, H\xF6he, Farbtiefe, Vollbild (0 = Fenster)\n"
    "screenwidth 800\n"
    "screenheight 600\n"
    "screendepth 16\n"
    "fullscreen 0\n"
    "\n"
    "# Start\n"
    "startGameState GameQuillmark\n"
    "activeLevel 0\n"
    "preloadData 0\n"
    "generateRleFiles 1\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qmforge DIR\n");
        return 2;
    }
    ForgeOutput output(argv[1]);
    output.WriteText("data\\config.txt", kConfig);
    output.WriteLists();
    return output.Failed() ? 1 : 0;
}
